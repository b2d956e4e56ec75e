// The id-keyed view of a page over its Qt dialog.
#pragma once

#include <QPointer>

#include "pages/DialogView.h"
#include "ui/DialogWidget.h"

namespace tb::ui {

class QtDialogView final : public pages::DialogView {
  public:
    // `sheet` is the widget that EnableSheet switches (the whole property
    // sheet); nullptr switches the dialog itself.
    QtDialogView(DialogWidget& dialog, QWidget* sheet);

    void Enable(int id, bool enabled) override;
    bool IsEnabled(int id) const override;
    void Show(int id, bool visible) override;
    bool IsVisible(int id) const override;

    void SetText(int id, const std::string& text) override;
    std::string Text(int id) const override;

    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) const override;

    void SetRadioIndex(int firstId, int index) override;
    int RadioIndex(int firstId) const override;

    void FocusAndSelect(int id) override;

    void InsertTab(int id, int index, const std::string& caption) override;
    std::vector<std::string> Tabs(int id) const override;
    void SelectTab(int id, int index) override;
    int SelectedTab(int id) const override;

    void SetColumns(int id, const std::vector<pages::ListColumn>& columns) override;
    std::vector<pages::ListColumn> Columns(int id) const override;
    void ClearRows(int id) override;
    void AddRow(int id, const std::vector<std::string>& cells) override;
    std::vector<std::vector<std::string>> Rows(int id) const override;

    void EnableSheet(bool enabled) override;
    bool IsSheetEnabled() const override;

  private:
    template <typename W>
    W* As(int id) const;

    DialogWidget& dialog_;
    QPointer<QWidget> sheet_;
};

}  // namespace tb::ui
