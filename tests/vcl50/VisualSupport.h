#pragma once
// What the tests of controls, forms and dialogs share: forms built in code, a recording
// interaction observer, and a fixture that leaves no queued handler or answer behind.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vcl50/Forms.h"
#include "vcl50/Headless.h"
#include "vcl50/Interaction.h"

class TRecordingObserver : public TInteractionObserver {
public:
    std::vector<std::string> Events;

    void FormShown(TCustomForm* form) override { Events.push_back("shown " + form->ClassName()); }
    void FormClosed(TCustomForm* form, int result) override
    {
        Events.push_back("closed " + form->ClassName() + " " + std::to_string(result));
    }
    void ColorDialogRan(TColor start, const std::optional<TColor>& chosen) override
    {
        Events.push_back("color " + IntToHex(start, 8) + " -> " + (chosen ? IntToHex(*chosen, 8) : "cancel"));
    }
    void FileDialogRan(const TFileDialogRequest& r, const std::optional<AnsiString>& chosen) override
    {
        Events.push_back(std::string(r.Save ? "save" : "open") + " title=" + r.Title + " filter=" + r.Filter +
                         " ext=" + r.DefaultExt + " name=" + r.FileName + " -> " + (chosen ? *chosen : "cancel"));
    }
    void MessageShown(const AnsiString& text) override { Events.push_back("message " + text); }
    void ErrorShown(const AnsiString& text) override { Events.push_back("error " + text); }
};

class VisualTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Interaction::ClearQueues();
        Interaction::SetObserver(&Observer);
    }
    void TearDown() override
    {
        Interaction::SetObserver(nullptr);
        Interaction::ClearQueues();
    }

    // A form that reads no resource, owned by the test.
    static std::unique_ptr<TForm> NewForm(int clientWidth = 300, int clientHeight = 200)
    {
        auto form = ConstructUnique<TForm>(nullptr, 0);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        return form;
    }

    // A control owned by the form of `parent`, placed on `parent`.
    template <class T>
    static T* Add(TWinControl* parent, const char* name, int left = 0, int top = 0)
    {
        TComponent* owner = GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent;
        auto* control = new T(owner);
        control->SetName(name);
        control->SetParent(parent);
        control->SetLeft(left);
        control->SetTop(top);
        return control;
    }

    static int Notices(const TControl* control, TPeerNotice notice)
    {
        THeadlessPeer* peer = THeadlessPeer::Of(control);
        return peer ? peer->Count(notice) : -1;
    }

    TRecordingObserver Observer;
};
