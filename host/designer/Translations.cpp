#include "host/designer/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "vcl50/Modules.h"

namespace {

// Built, the .qm files lie beside the programs; installed, under the data folder (a program in
// /usr/bin reads /usr/share/drowcast/translations).
QStringList TranslationFolders()
{
    const QString programs = QCoreApplication::applicationDirPath();
    return {programs + "/translations", QDir::cleanPath(programs + "/../share/drowcast/translations")};
}

bool Install(const QLocale& locale, const QString& name, const QStringList& folders)
{
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    for (const QString& folder : folders)
        if (translator->load(locale, name, "_", folder)) {
            QCoreApplication::installTranslator(translator.release());
            return true;
        }
    return false;
}

}  // namespace

bool InstallTranslations()
{
    static const bool installed = [] {
        const AnsiString language = UserLanguage();
        if (language.empty())
            return false;
        const QLocale locale(QString::fromStdString(language));
        Install(locale, "qtbase", {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
        return Install(locale, "drowcast-designer", TranslationFolders());
    }();
    return installed;
}
