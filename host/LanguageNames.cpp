#include "host/LanguageNames.h"

#include <algorithm>
#include <iterator>
#include <utility>

std::string_view LanguageName(uint16_t languageId)
{
    // The primary languages resources are most often made for; the sublanguage (country) is left
    // out, as a report needs no more than the language.
    static constexpr std::pair<uint16_t, std::string_view> primary[] = {
        {0x00, "neutral"},   {0x01, "Arabic"},     {0x02, "Bulgarian"}, {0x03, "Catalan"},   {0x04, "Chinese"},
        {0x05, "Czech"},     {0x06, "Danish"},     {0x07, "German"},    {0x08, "Greek"},     {0x09, "English"},
        {0x0A, "Spanish"},   {0x0B, "Finnish"},    {0x0C, "French"},    {0x0D, "Hebrew"},    {0x0E, "Hungarian"},
        {0x10, "Italian"},   {0x11, "Japanese"},   {0x12, "Korean"},    {0x13, "Dutch"},     {0x14, "Norwegian"},
        {0x15, "Polish"},    {0x16, "Portuguese"}, {0x18, "Romanian"},  {0x19, "Russian"},   {0x1B, "Slovak"},
        {0x1D, "Swedish"},   {0x1F, "Turkish"},    {0x22, "Ukrainian"}, {0x23, "Belarusian"}, {0x27, "Lithuanian"},
    };
    const uint16_t language = languageId & 0x3FF;
    const auto* found = std::find_if(std::begin(primary), std::end(primary),
                                     [language](const auto& entry) { return entry.first == language; });
    return found == std::end(primary) ? "unknown" : found->second;
}
