#include "host/Elfsymbols.h"

#include <elf.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>

const char* EModuleFileError::ClassName() const { return "EModuleFileError"; }

namespace {

class TElfFile {
public:
    explicit TElfFile(std::vector<uint8_t> bytes) : FBytes(std::move(bytes)) {}

    template <class T>
    T At(uint64_t offset, const char* what) const
    {
        Need(offset, sizeof(T), what);
        T value;
        std::memcpy(&value, FBytes.data() + offset, sizeof(T));
        return value;
    }

    void Need(uint64_t offset, uint64_t size, const char* what) const
    {
        if (offset > FBytes.size() || size > FBytes.size() - offset)
            throw EModuleFileError(Format("the %s lies outside the file", {what}));
    }

    std::span<const uint8_t> Bytes(uint64_t offset, uint64_t size, const char* what) const
    {
        Need(offset, size, what);
        return {FBytes.data() + offset, static_cast<size_t>(size)};
    }

private:
    std::vector<uint8_t> FBytes;
};

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError(Format("Cannot open file %s: %s", {path, std::strerror(errno)}));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadExportedObject(const std::string& path, const std::string& symbol)
{
    std::vector<uint8_t> bytes = ReadFile(path);
    // Say what the file is not before saying where it is short.
    if (bytes.empty())
        throw EModuleFileError("the file is empty");
    if (bytes.size() < SELFMAG || std::memcmp(bytes.data(), ELFMAG, SELFMAG) != 0)
        throw EModuleFileError("not an ELF module");
    const TElfFile file(std::move(bytes));
    const auto header = file.At<Elf64_Ehdr>(0, "file header");
    if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        throw EModuleFileError("not a 64-bit little-endian ELF module");
    if (header.e_shentsize != sizeof(Elf64_Shdr))
        throw EModuleFileError("the section table has entries of an unknown size");
    file.Need(header.e_shoff, uint64_t(header.e_shnum) * sizeof(Elf64_Shdr), "section table");
    auto section = [&](uint64_t index) {
        if (index >= header.e_shnum)
            throw EModuleFileError("a section index is out of range");
        return file.At<Elf64_Shdr>(header.e_shoff + index * sizeof(Elf64_Shdr), "section table");
    };

    for (uint64_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        if (symbols.sh_entsize != sizeof(Elf64_Sym))
            throw EModuleFileError("the dynamic symbol table has entries of an unknown size");
        const Elf64_Shdr strings = section(symbols.sh_link);
        const auto names = file.Bytes(strings.sh_offset, strings.sh_size, "symbol name table");
        file.Need(symbols.sh_offset, symbols.sh_size, "dynamic symbol table");
        for (uint64_t s = 0; s < symbols.sh_size / sizeof(Elf64_Sym); ++s) {
            const auto entry = file.At<Elf64_Sym>(symbols.sh_offset + s * sizeof(Elf64_Sym), "dynamic symbol table");
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
            const auto bytes = file.Bytes(holder.sh_offset + (entry.st_value - holder.sh_addr), entry.st_size, "export");
            return std::vector<uint8_t>(bytes.begin(), bytes.end());
        }
    }
    return std::nullopt;
}
