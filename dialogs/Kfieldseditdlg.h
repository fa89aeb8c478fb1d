#pragma once
// The fields editor: the dataset's available fields on the left, always alphabetical, the
// exported ones on the right in export order; buttons, double-clicks and drags move names across.

#include "package/Ownunits.h"
#include "vcl50/Buttons.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Forms.h"
#include "vcl50/StdCtrls.h"

class TfmKFieldsEditDlg : public TDerived<TfmKFieldsEditDlg, TForm> {
public:
    using TDerived::TDerived;
    ~TfmKFieldsEditDlg() override;
    static TClass StaticClass();

    // Controls, filled from the form resource.
    TBitBtn* OKBtn = nullptr;
    TBitBtn* CancelBtn = nullptr;
    TListBox* SrcList = nullptr;
    TListBox* DstList = nullptr;
    TLabel* SrcLabel = nullptr;
    TLabel* DstLabel = nullptr;
    TSpeedButton* IncludeBtn = nullptr;
    TSpeedButton* IncAllBtn = nullptr;
    TSpeedButton* ExcludeBtn = nullptr;
    TSpeedButton* ExAllBtn = nullptr;
    TBevel* Bevel1 = nullptr;

    // Event handlers, bound by name in the form resource.
    void IncludeBtnClick(TObject* Sender);
    void ExcludeBtnClick(TObject* Sender);
    void IncAllBtnClick(TObject* Sender);
    void ExcAllBtnClick(TObject* Sender);
    void DstListDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DstListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void FormShow(TObject* Sender);
    void SrcListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void SrcListDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);

    // Moves the selected entries, each with its object, last first, into `Dest`.
    void MoveSelected(TCustomListBox* ListBox, TStrings* Dest);
    // Enables the move buttons by the lists' contents; the selection plays no part.
    void SetButtons();
    // -1 when nothing is selected.
    int GetFirstSelection(TCustomListBox* ListBox);
    // Focuses `ListBox`, selects the entry at `Index` (or the nearest one) and sets the buttons.
    void SetItem(TListBox* ListBox, int Index);

private:
    // A drop: the selected names of `From`, without their objects, into `To`.
    void DropSelected(TListBox* From, TListBox* To);
    // ">>" and "<<": every entry of `From` with its object into `To`, then `From` emptied.
    void MoveAll(TListBox* From, TListBox* To);
};

// The form's global variable: exported only; the package neither sets nor reads it.
extern TfmKFieldsEditDlg* fmKFieldsEditDlg;

VCL_UNIT(Kfieldseditdlg)
