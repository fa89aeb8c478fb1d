#pragma once
// The object inspector's model: one row per published property that the whole selection has,
// each with its property editor; a row's sub-rows (a class property's members, a set's elements)
// come from its editor's GetProperties when first asked for. With several objects selected, a row
// or sub-row whose editor lacks paMultiSelect is left out (Name). Rows are made afresh for a
// selection and read their values live, so a view rebuilds them when the selection or the form
// changes.

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "vcl50/Dsgnintf.h"

class TPropertyGridRow {
public:
    // `parentPath` is the dotted path of the row this one is a sub-row of.
    explicit TPropertyGridRow(std::unique_ptr<TPropertyEditor> editor, const AnsiString& parentPath = "");

    TPropertyEditor& Editor() const { return *FEditor; }
    AnsiString Name() const { return FEditor->GetName(); }
    // The dotted path from the selection: "Formats.DateFormat".
    const AnsiString& Path() const { return FPath; }
    // What the value column shows: nothing when the selected objects' values differ. A file's
    // path (an editor that NamesFile) inside the form file's folder shows relative to it; the
    // stored value stays as the editor wrote it.
    AnsiString DisplayValue() const;
    // What typing `text` into the row stores: the stored path where `text` is how the row shows
    // it, so that confirming a row unchanged keeps what the editor wrote; else `text`.
    AnsiString TypedValue(const AnsiString& text) const;
    // The drop-down as shown: sorted (and so without repeats) when the editor asks for paSortList.
    std::vector<AnsiString> DropDownValues() const;
    const std::vector<std::unique_ptr<TPropertyGridRow>>& SubRows();
    // Whether the inspector's filter keeps the row: its name contains `filter` (any letter
    // case), or a sub-row's does, so the parents of a match stay. An empty filter keeps all.
    bool Shown(std::string_view filter);

private:
    std::unique_ptr<TPropertyEditor> FEditor;
    AnsiString FPath;
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
