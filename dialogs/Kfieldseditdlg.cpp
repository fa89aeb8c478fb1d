#include "dialogs/Kfieldseditdlg.h"

TfmKFieldsEditDlg* fmKFieldsEditDlg = nullptr;

TfmKFieldsEditDlg::~TfmKFieldsEditDlg() = default;

TClass TfmKFieldsEditDlg::StaticClass()
{
    using T = TfmKFieldsEditDlg;
    static const TMetaClass meta = TClassBuilder<T, TForm>("TfmKFieldsEditDlg")
        .Field("OKBtn", &T::OKBtn)
        .Field("CancelBtn", &T::CancelBtn)
        .Field("SrcList", &T::SrcList)
        .Field("DstList", &T::DstList)
        .Field("SrcLabel", &T::SrcLabel)
        .Field("DstLabel", &T::DstLabel)
        .Field("IncludeBtn", &T::IncludeBtn)
        .Field("IncAllBtn", &T::IncAllBtn)
        .Field("ExcludeBtn", &T::ExcludeBtn)
        .Field("ExAllBtn", &T::ExAllBtn)
        .Field("Bevel1", &T::Bevel1)
        .Method("IncludeBtnClick", &T::IncludeBtnClick)
        .Method("ExcludeBtnClick", &T::ExcludeBtnClick)
        .Method("IncAllBtnClick", &T::IncAllBtnClick)
        .Method("ExcAllBtnClick", &T::ExcAllBtnClick)
        .Method("DstListDragOver", &T::DstListDragOver)
        .Method("DstListDragDrop", &T::DstListDragDrop)
        .Method("FormShow", &T::FormShow)
        .Method("SrcListDragDrop", &T::SrcListDragDrop)
        .Method("SrcListDragOver", &T::SrcListDragOver)
        .Build();
    return &meta;
}

// ---- moves ------------------------------------------------------------------------------------

void TfmKFieldsEditDlg::MoveSelected(TCustomListBox* ListBox, TStrings* Dest)
{
    TStrings* items = ListBox->Items();
    for (int i = items->Count() - 1; i >= 0; --i) {
        if (!ListBox->Selected(i))
            continue;
        Dest->AddObject(items->Get(i), items->GetObject(i));
        items->Delete(i);
    }
}

int TfmKFieldsEditDlg::GetFirstSelection(TCustomListBox* ListBox)
{
    for (int i = 0; i < ListBox->Items()->Count(); ++i)
        if (ListBox->Selected(i))
            return i;
    return -1;
}

void TfmKFieldsEditDlg::SetItem(TListBox* ListBox, int Index)
{
    ListBox->SetFocus();
    const int last = ListBox->Items()->Count() - 1;
    if (Index == -1)
        Index = 0;
    else if (Index > last)
        Index = last;
    if (last >= 0)
        ListBox->SetSelected(Index, true);
    SetButtons();
}

void TfmKFieldsEditDlg::SetButtons()
{
    const bool available = SrcList->Items()->Count() > 0;
    const bool exported = DstList->Items()->Count() > 0;
    IncludeBtn->SetEnabled(available);
    IncAllBtn->SetEnabled(available);
    ExcludeBtn->SetEnabled(exported);
    ExAllBtn->SetEnabled(exported);
}

void TfmKFieldsEditDlg::MoveAll(TListBox* From, TListBox* To)
{
    To->Items()->AddStrings(From->Items());
    From->Items()->Clear();
    SetItem(From, 0);
}

void TfmKFieldsEditDlg::DropSelected(TListBox* From, TListBox* To)
{
    TStrings* dest = To->Items();
    dest->BeginUpdate();
    struct TEndUpdate {
        TStrings* Items;
        ~TEndUpdate() { Items->EndUpdate(); }
    } endUpdate{dest};
    TStrings* items = From->Items();
    for (int i = items->Count() - 1; i >= 0; --i) {
        if (!From->Selected(i))
            continue;
        dest->Add(items->Get(i));
        items->Delete(i);
    }
    SetButtons();
}

// ---- events -----------------------------------------------------------------------------------

void TfmKFieldsEditDlg::IncludeBtnClick(TObject*)
{
    const int first = GetFirstSelection(SrcList);
    MoveSelected(SrcList, DstList->Items());
    SetItem(SrcList, first);
}

void TfmKFieldsEditDlg::ExcludeBtnClick(TObject*)
{
    const int first = GetFirstSelection(DstList);
    MoveSelected(DstList, SrcList->Items());
    SetItem(DstList, first);
}

void TfmKFieldsEditDlg::IncAllBtnClick(TObject*)
{
    MoveAll(SrcList, DstList);
}

void TfmKFieldsEditDlg::ExcAllBtnClick(TObject*)
{
    MoveAll(DstList, SrcList);
}

void TfmKFieldsEditDlg::DstListDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept)
{
    Accept = Source == SrcList;
}

void TfmKFieldsEditDlg::DstListDragDrop(TObject*, TObject*, int, int)
{
    DropSelected(SrcList, DstList);
}

void TfmKFieldsEditDlg::SrcListDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept)
{
    Accept = Source == DstList;
}

void TfmKFieldsEditDlg::SrcListDragDrop(TObject*, TObject*, int, int)
{
    DropSelected(DstList, SrcList);
}

void TfmKFieldsEditDlg::FormShow(TObject*)
{
    SetButtons();
    if (SrcList->Items()->Count() > 0)
        SetItem(SrcList, 0);
    else
        SetItem(DstList, 0);
}

PACKAGE_UNIT_PROCS(Kfieldseditdlg)
