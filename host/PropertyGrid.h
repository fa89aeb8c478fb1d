#pragma once
// The object inspector's model: one row per published property that the whole selection has,
// each with its property editor; a row's sub-rows (a class property's members, a set's elements)
// come from its editor's GetProperties when first asked for. Rows are made afresh for a selection
// and read their values live, so a view rebuilds them when the selection or the form changes.

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "vcl50/Dsgnintf.h"

class TPropertyGridRow {
public:
    explicit TPropertyGridRow(std::unique_ptr<TPropertyEditor> editor);

    TPropertyEditor& Editor() const { return *FEditor; }
    AnsiString Name() const { return FEditor->GetName(); }
    // What the value column shows: nothing when the selected objects' values differ.
    AnsiString DisplayValue() const;
    // The drop-down as shown: sorted (and so without repeats) when the editor asks for paSortList.
    std::vector<AnsiString> DropDownValues() const;
    const std::vector<std::unique_ptr<TPropertyGridRow>>& SubRows();

private:
    std::unique_ptr<TPropertyEditor> FEditor;
    std::optional<std::vector<std::unique_ptr<TPropertyGridRow>>> FSubRows;
};

class TPropertyGrid {
public:
    TPropertyGrid(const TDesignerSelectionList& selection, TFormDesigner* designer);

    const std::vector<std::unique_ptr<TPropertyGridRow>>& Rows() const { return FRows; }
    // A row by its dotted path ("Formats.DateFormat"), names compared without regard to case;
    // null when there is none.
    TPropertyGridRow* Find(std::string_view path) const;

private:
    std::vector<std::unique_ptr<TPropertyGridRow>> FRows;
};
