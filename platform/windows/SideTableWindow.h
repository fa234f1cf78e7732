#pragma once

#include <vector>

#include <QHash>
#include <QPointer>
#include <QString>

#include "platform/win32/WinTypes.h"
#include "platform/windows/TableWindowModel.h"
#include "platform/windows/WindowHandle.h"

class CellEditorDelegate;
class CellGrid;
class PlacementMemory;
class ProviderTableModel;
class QCheckBox;
class QLineEdit;
class QTimer;
class QWidget;
class SideWindowFrame;

// The table window beside the dialog: the model's filter label and a
// filter box above a grid of the model's cells. The widgets may go with
// the owner's before this object; every call is then a no-op.
class SideTableWindow : public TableWindowView {
public:
    SideTableWindow(TableWindowModel& model, QWidget* owner, const std::vector<ACCEL>& keys,
                    PlacementMemory* placement = nullptr);
    ~SideTableWindow() override;
    SideTableWindow(const SideTableWindow&) = delete;
    SideTableWindow& operator=(const SideTableWindow&) = delete;

    void Show() override;
    bool IsVisible() const override;
    void TitleChanged() override;
    int Message(const std::string& text, const std::string& caption, UINT type) override;
    void RowsChanged() override;
    void CellsChanged() override;
    void CurrentRowChanged() override;
    void RowsAppended(int first, int count) override;
    void FilterRunning() override;

private:
    QWidget* BuildFilterRow();
    void BuildGrid();
    void ConnectGrid();
    bool IsEditing() const;
    // After an edit ends, however it ended (a message box, rows that
    // changed under it), the keys go on in the grid at the current cell.
    void KeepFocusOnGrid();
    void SizeColumns();
    int FittedWidth(int column) const;
    void ShowSortIndicator();
    // Keeps the user's column.
    void ShowCurrentRow(int column);

    TableWindowModel& m_model;
    QPointer<SideWindowFrame> m_frame;
    WindowHandle m_handle;
    QPointer<QLineEdit> m_filter;
    QPointer<QCheckBox> m_changedOnly;
    QPointer<CellGrid> m_grid;
    QPointer<ProviderTableModel> m_cells;
    QPointer<CellEditorDelegate> m_delegate;
    // Asks the model for a running filter's rows.
    QPointer<QTimer> m_poll;
    // Widths the user dragged, by header text: they outlive the rows and
    // columns that come and go.
    QHash<QString, int> m_userWidths;
    // Set while the program changes what the grid shows, so the model
    // hears only of the user's own moves and drags.
    bool m_quiet = false;
};
