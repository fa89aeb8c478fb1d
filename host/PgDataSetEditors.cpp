#include "host/PgDataSetEditors.h"

#include "vcldb50/Pgdataset.h"

namespace {

const TPgDataSet& DataSetAt(const TPropertyEditor& editor, int index)
{
    return *As<TPgDataSet>(editor.GetComponent(index));
}

}  // namespace

TClass TPgConnectionStringProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TPgConnectionStringProperty, TStringProperty>("TPgConnectionStringProperty").Build();
    return &meta;
}

bool TPgConnectionStringProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (DataSetAt(*this, i).ShownConnectionString() != DataSetAt(*this, 0).ShownConnectionString())
            return false;
    return true;
}

AnsiString TPgConnectionStringProperty::GetValue()
{
    return DataSetAt(*this, 0).ShownConnectionString();
}

TClass TPgTableNameProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TPgTableNameProperty, TStringProperty>("TPgTableNameProperty").Build();
    return &meta;
}

TPropertyAttributes TPgTableNameProperty::GetAttributes()
{
    return TStringProperty::GetAttributes() + TPropertyAttributes{paValueList};
}

void TPgTableNameProperty::GetValues(const TGetStrProc& proc)
{
    std::vector<AnsiString> names;
    try {
        names = DataSetAt(*this, 0).TableNames();
        FFailure.clear();
    } catch (const Exception& e) {
        // A server that cannot be reached or read is told in the list, where the person looks.
        FFailure = "(" + e.Message() + ")";
        names = {FFailure};
    }
    for (const AnsiString& name : names)
        proc(name);
}

void TPgTableNameProperty::SetValue(const AnsiString& value)
{
    if (!FFailure.empty() && value == FFailure)
        return;
    TStringProperty::SetValue(value);
}
