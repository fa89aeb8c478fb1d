// Writes a package's PACKAGEINFO resource from its readable description:
//
//   flags WORD...        never-build design-only run-only ignore-duplicates producer=N module=M
//                        (M: program, package, library)
//   requires NAME        one line per required package, in order
//   contains NAME FLAG.. one line per contained unit, in order; FLAG: weak, declared-weak
//
// Hash bytes are written as zero; counts follow from the lines.

#include <map>

#include "tools/Toolsupport.h"
#include "vcl50/Packageinfo.h"

namespace {

using namespace tools;

uint32_t FlagsWord(const std::filesystem::path& file, const TSourceLine& line, const std::vector<std::string>& words)
{
    static const std::map<std::string, uint32_t> bits = {
        {"never-build", PackageFlags::NeverBuild}, {"design-only", PackageFlags::DesignOnly},
        {"run-only", PackageFlags::RunOnly}, {"ignore-duplicates", PackageFlags::IgnoreDupUnits}};
    static const std::map<std::string, uint32_t> moduleTypes = {{"program", 0}, {"package", 1}, {"library", 2}};
    uint32_t flags = 0;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        uint64_t producer = 0;
        if (bits.count(word))
            flags |= bits.at(word);
        else if (word.starts_with("producer=") && ParseNumber(word.substr(9), 3, producer))
            flags |= static_cast<uint32_t>(producer) << PackageFlags::ProducerShift;
        else if (word.starts_with("module=") && moduleTypes.count(word.substr(7)))
            flags |= moduleTypes.at(word.substr(7)) << PackageFlags::ModuleTypeShift;
        else
            Fail(file, line.Number, "unknown flag '" + word + "'");
    }
    return flags;
}

void PutName(std::vector<uint8_t>& out, const std::string& name)
{
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

std::vector<uint8_t> Build(const std::filesystem::path& file)
{
    uint32_t flags = 0;
    bool haveFlags = false;
    std::vector<uint8_t> required, contained;
    uint32_t requiredCount = 0, containedCount = 0;
    for (const TSourceLine& line : ReadLines(file)) {
        const auto words = SplitWords(line.Text);
        if (words[0] == "flags" && !haveFlags) {
            flags = FlagsWord(file, line, words);
            haveFlags = true;
        } else if (words[0] == "requires" && words.size() == 2) {
            required.push_back(0);
            PutName(required, words[1]);
            ++requiredCount;
        } else if (words[0] == "contains" && words.size() >= 2) {
            uint8_t unitFlags = 0;
            for (size_t i = 2; i < words.size(); ++i) {
                if (words[i] == "weak")
                    unitFlags |= UnitFlags::Weak;
                else if (words[i] == "declared-weak")
                    unitFlags |= UnitFlags::DeclaredWeak;
                else
                    Fail(file, line.Number, "unknown unit flag '" + words[i] + "'");
            }
            contained.insert(contained.end(), {unitFlags, 0});
            PutName(contained, words[1]);
            ++containedCount;
        } else {
            Fail(file, line.Number, "expected one 'flags' line, then 'requires NAME' or 'contains NAME [FLAG...]'");
        }
    }
    if (!haveFlags)
        Fail(file, 0, "no 'flags' line");
    std::vector<uint8_t> out;
    PutU32(out, flags);
    PutU32(out, requiredCount);
    out.insert(out.end(), required.begin(), required.end());
    PutU32(out, containedCount);
    out.insert(out.end(), contained.begin(), contained.end());
    return out;
}

void Convert(char** argv)
{
    WriteBytes(argv[2], Build(argv[1]));
}

}  // namespace

int main(int argc, char** argv)
{
    return Run(argc, argv, 2, "PACKAGEINFO.pkginfo OUTPUT", Convert);
}
