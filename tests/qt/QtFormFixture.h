#pragma once
// Forms built in code and shown through the Qt widget set on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <memory>

#include "tests/qt/QtTestApp.h"
#include "vcl50/Forms.h"
#include "vcl50/Interaction.h"
#include "vcl50/qt/QtPeer.h"
#include "vcl50/qt/QtScreenshot.h"
#include "vcl50/qt/QtWidgetSet.h"

class QtFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        Interaction::ClearQueues();
        SetWidgetSet(std::make_unique<TQtWidgetSet>(Mode()));
    }
    void TearDown() override
    {
        Forms.clear();
        QApplication::processEvents();
        SetWidgetSet(nullptr);
        Interaction::ClearQueues();
    }
    virtual TQtWidgetSet::TMode Mode() const { return TQtWidgetSet::TMode::Scripted; }

    TForm* NewForm(int clientWidth, int clientHeight)
    {
        Forms.push_back(ConstructUnique<TForm>(nullptr, 0));
        TForm* form = Forms.back().get();
        form->SetName("fmTest");
        form->SetBorderStyle(bsDialog);
        form->SetBorderIcons(TBorderIcons{biSystemMenu});
        form->SetPosition(poScreenCenter);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        return form;
    }

    template <class T>
    static T* Add(TWinControl* parent, const char* name, int left, int top, int width, int height)
    {
        auto* control = new T(GetParentForm(parent));
        control->SetName(name);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }

    static QWidget* WidgetOf(const TControl* control)
    {
        QWidget* widget = QtPeer::WidgetOf(control);
        EXPECT_NE(widget, nullptr) << control->Name() << " has no widget";
        return widget;
    }

    static QImage Render(TCustomForm* form)
    {
        return QtScreenshot::RenderClientArea(WidgetOf(form), form->ClientWidth(), form->ClientHeight());
    }

    // The colour of one pixel as 0xRRGGBB.
    static unsigned Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

    std::vector<std::unique_ptr<TForm>> Forms;
};
