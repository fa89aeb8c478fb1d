#include <gtest/gtest.h>

#include <dlfcn.h>

#include "PackageTesting.h"
#include "vcl50/Classes.h"
#include "vcl50/Formresources.h"
#include "vcl50/Packages.h"

namespace {

// A form class of the test program, whose form resource a language module provides.
class TfmLanguageTest : public TDerived<TfmLanguageTest, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TfmLanguageTest, TComponent>("TfmLanguageTest").Build();
        return &meta;
    }
};

std::string FileOf(HINSTANCE instance)
{
    return std::filesystem::path(GetModuleFileName(instance)).filename().string();
}

std::string Description(HINSTANCE instance)
{
    const auto bytes = ReadResource(instance, "DESCRIPTION", RT_RCDATA);
    std::string text;
    for (size_t i = 0; bytes && i + 1 < bytes->size() && (*bytes)[i]; i += 2)
        text += static_cast<char>((*bytes)[i]);
    return text;
}

class LanguageModule : public ::testing::Test {
protected:
    // The module file itself need not exist for the search beside it.
    std::string ModuleBeside() const { return (folder.Path() / "DRowcastB5.so").string(); }

    // The file name of what LoadResourceModule finds, or "" for nothing.
    std::string Found()
    {
        HINSTANCE language = LoadResourceModule(ModuleBeside().c_str());
        if (!language)
            return "";
        const std::string name = FileOf(language);
        dlclose(language);
        return name;
    }

    TScratchFolder folder;
};

TEST_F(LanguageModule, TheLocaleChoosesTheModule)
{
    folder.Copy(LanguageModuleFile, "DRowcastB5.so.de_DE");
    folder.Copy(LanguageModuleFile, "DRowcastB5.so.fr");
    const struct {
        const char *all, *messages, *lang, *found;
    } cases[] = {
        {nullptr, nullptr, "de_DE.UTF-8", "DRowcastB5.so.de_DE"},  // language and country first
        {nullptr, nullptr, "fr_CA.UTF-8", "DRowcastB5.so.fr"},     // then the language alone
        {nullptr, nullptr, "it_IT.UTF-8", ""},
        {"fr_FR", "de_DE", "de_DE", "DRowcastB5.so.fr"},           // LC_ALL first
        {nullptr, "de_DE@euro", "fr_FR", "DRowcastB5.so.de_DE"},   // then LC_MESSAGES
        {"", "", "fr_FR.UTF-8", "DRowcastB5.so.fr"},               // empty counts as unset
        {"C", nullptr, "de_DE", ""},
        {"POSIX", nullptr, "de_DE", ""},
        {"C.UTF-8", nullptr, "de_DE", ""},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        TLocaleEnvironment locale(c.all, c.messages, c.lang);
        EXPECT_EQ(Found(), c.found) << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " "
                                    << (c.lang ? c.lang : "-");
    }
}

TEST_F(LanguageModule, AFileThatIsNoModuleIsPassedOver)
{
    WriteFileBytes((folder.Path() / "DRowcastB5.so.de_DE").string(), {'n', 'o', 't'});
    folder.Copy(LanguageModuleFile, "DRowcastB5.so.de");
    TLocaleEnvironment locale(nullptr, nullptr, "de_DE.UTF-8");
    EXPECT_EQ(Found(), "DRowcastB5.so.de");
}

TEST_F(LanguageModule, APackageTakesItsResourcesFromTheLanguageModuleBesideIt)
{
    const std::string package = folder.Copy(PackageFile, "DRowcastB5.so");
    folder.LinkRequiredPackages();
    const std::string language = folder.Copy(LanguageModuleFile, "DRowcastB5.so.de_DE");
    TLocaleEnvironment locale(nullptr, nullptr, "de_DE.UTF-8");
    SetDesignerHost(true);
    HMODULE module = LoadPackage(package);
    SetDesignerHost(false);

    TLibModule* record = RecordOf(module);
    ASSERT_NE(record, nullptr);
    ASSERT_NE(record->ResInstance, module);
    EXPECT_EQ(FileOf(record->ResInstance), "DRowcastB5.so.de_DE");
    EXPECT_EQ(FindResourceHInstance(module), record->ResInstance);
    EXPECT_EQ(Description(FindResourceHInstance(module)), "Tarnel Lumatab Komponentensammlung");
    EXPECT_EQ(Description(module), "Tarnel Lumatab Component Suite");

    UnloadPackage(module);
    EXPECT_FALSE(IsLoaded(language)) << "released with the package";
    EXPECT_FALSE(IsLoaded(package));
}

TEST_F(LanguageModule, FormsAreReadThroughTheModuleRecordOfTheirClass)
{
    const std::string language = folder.Copy(LanguageModuleFile, "DRowcastB5.so.de_DE");
    TLibModule program;
    program.Instance = MainInstance();
    program.ResInstance = dlopen(language.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(program.ResInstance, nullptr);
    RegisterModule(&program);
    EXPECT_EQ(FindClassHInstance(TfmLanguageTest::StaticClass()), MainInstance());

    const auto text = FindModuleFormResource(TfmLanguageTest::StaticClass(), "TFMLANGUAGETEST");
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("Tag = 49"), std::string::npos);
    EXPECT_FALSE(FindModuleFormResource(TfmLanguageTest::StaticClass(), "TFMNOSUCHFORM").has_value());

    // The form reader asks the same way.
    TfmLanguageTest form(nullptr);
    EXPECT_TRUE(InitInheritedComponent(&form, TComponent::StaticClass()));
    EXPECT_EQ(form.Tag(), 49);
    EXPECT_EQ(form.Name(), "fmLanguageTest");

    UnregisterModule(&program);
    EXPECT_EQ(program.ResInstance, program.Instance);
    EXPECT_FALSE(IsLoaded(language)) << "the record's language module is released with it";
    EXPECT_EQ(FindClassHInstance(TfmLanguageTest::StaticClass()), nullptr);
}

}  // namespace
