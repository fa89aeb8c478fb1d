#include "host/Elfsymbols.h"

#include <elf.h>

#include <cstring>

#include "vcl50/Wholefiles.h"

const char* EModuleFileError::ClassName() const { return "EModuleFileError"; }

namespace {

// No table a module needs comes near this; a larger one is a damaged or hostile file, and
// reading it whole would only cost memory.
constexpr uint64_t MaxTableSize = 64u << 20;

// The module file, read a piece at a time: only the headers and tables the look-up needs.
class TElfFile {
public:
    explicit TElfFile(const std::string& path) : FFile(Open(path)) {}

    uint64_t Size() const { return FFile.Size(); }

    template <class T>
    T At(uint64_t offset, const char* what) const
    {
        T value;
        Read(offset, sizeof(T), &value, what);
        return value;
    }

    std::vector<uint8_t> Bytes(uint64_t offset, uint64_t size, const char* what) const
    {
        if (size > MaxTableSize)
            throw EModuleFileError(Format("the %s is implausibly large", {what}));
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        Read(offset, size, bytes.data(), what);
        return bytes;
    }

    void Need(uint64_t offset, uint64_t size, const char* what) const
    {
        if (offset > Size() || size > Size() - offset)
            throw EModuleFileError(Format("the %s lies outside the file", {what}));
    }

private:
    static TReadableFile Open(const std::string& path)
    {
        try {
            return TReadableFile(path);
        } catch (const EFileAccessError& e) {
            throw EFOpenError(Format("Cannot open file %s: %s", {path, e.Message()}));
        }
    }

    void Read(uint64_t offset, uint64_t size, void* into, const char* what) const
    {
        Need(offset, size, what);
        size_t got = 0;
        try {
            got = FFile.ReadAt(offset, into, static_cast<size_t>(size));
        } catch (const EFileAccessError& e) {
            throw EModuleFileError(Format("the %s cannot be read: %s", {what, e.Message()}));
        }
        if (got != size)  // the file shrank while it was read
            throw EModuleFileError(Format("the %s lies outside the file", {what}));
    }

    TReadableFile FFile;
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadExportedObject(const std::string& path, const std::string& symbol)
{
    const TElfFile file(path);
    // Say what the file is not before saying where it is short.
    if (file.Size() == 0)
        throw EModuleFileError("the file is empty");
    if (file.Size() < SELFMAG || std::memcmp(file.Bytes(0, SELFMAG, "magic").data(), ELFMAG, SELFMAG) != 0)
        throw EModuleFileError("not an ELF module");
    const auto header = file.At<Elf64_Ehdr>(0, "file header");
    if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        throw EModuleFileError("not a 64-bit little-endian ELF module");
    if (header.e_shentsize != sizeof(Elf64_Shdr))
        throw EModuleFileError("the section table has entries of an unknown size");
    const std::vector<uint8_t> table =
        file.Bytes(header.e_shoff, uint64_t(header.e_shnum) * sizeof(Elf64_Shdr), "section table");
    auto section = [&](uint64_t index) {
        if (index >= header.e_shnum)
            throw EModuleFileError("a section index is out of range");
        Elf64_Shdr entry;
        std::memcpy(&entry, table.data() + index * sizeof(Elf64_Shdr), sizeof entry);
        return entry;
    };

    for (uint64_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        if (symbols.sh_entsize != sizeof(Elf64_Sym))
            throw EModuleFileError("the dynamic symbol table has entries of an unknown size");
        const Elf64_Shdr strings = section(symbols.sh_link);
        const std::vector<uint8_t> names = file.Bytes(strings.sh_offset, strings.sh_size, "symbol name table");
        const std::vector<uint8_t> entries = file.Bytes(symbols.sh_offset, symbols.sh_size, "dynamic symbol table");
        for (uint64_t s = 0; s < entries.size() / sizeof(Elf64_Sym); ++s) {
            Elf64_Sym entry;
            std::memcpy(&entry, entries.data() + s * sizeof(Elf64_Sym), sizeof entry);
            if (entry.st_name >= names.size() || entry.st_shndx == SHN_UNDEF || entry.st_shndx >= SHN_LORESERVE)
                continue;
            const auto* name = reinterpret_cast<const char*>(names.data() + entry.st_name);
            if (strnlen(name, names.size() - entry.st_name) != symbol.size() || symbol.compare(0, symbol.size(), name, symbol.size()) != 0)
                continue;
            const Elf64_Shdr holder = section(entry.st_shndx);
            file.Need(holder.sh_offset, holder.sh_type == SHT_NOBITS ? 0 : holder.sh_size, "section of an export");
            if (holder.sh_type == SHT_NOBITS || entry.st_value < holder.sh_addr ||
                entry.st_value - holder.sh_addr > holder.sh_size ||
                entry.st_size > holder.sh_size - (entry.st_value - holder.sh_addr))
                throw EModuleFileError(Format("the export %s lies outside its section", {symbol}));
            return file.Bytes(holder.sh_offset + (entry.st_value - holder.sh_addr), entry.st_size, "export");
        }
    }
    return std::nullopt;
}
