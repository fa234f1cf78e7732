#pragma once

#include <functional>
#include <memory>

#include "document/Observers.h"
#include "platform/windows/ByteGridModel.h"
#include "ui/model/EntryBytes.h"

class EditorState;
struct EditorChange;

// The bytes window's presenter: the current entry's bytes (EntryBytes) as
// the grid paints them. It follows the state and the focus of the form, so
// the dialog only opens it; while hidden it does no work.
class BytesWindow : public ByteGridModel {
public:
    using ViewFactory = std::function<std::unique_ptr<ByteGridView>(ByteGridModel&)>;

    BytesWindow(EditorState& state, ViewFactory makeView);
    ~BytesWindow() override;
    BytesWindow(const BytesWindow&) = delete;
    BytesWindow& operator=(const BytesWindow&) = delete;

    // Makes the window on first use, brings it up to date and shows it.
    void Open();
    bool IsVisible() const;
    // The element whose control has the focus in the form moved (-1: none).
    void FocusChanged(int element);

    std::string Title() const override;
    const ByteGridContent& Content() const override { return m_content; }
    void OnClosed() override {}
    void OnCommand(UINT) override {}

private:
    void OnChange(const EditorChange& change);
    void Refresh();

    EditorState& m_state;
    ViewFactory m_makeView;
    std::unique_ptr<ByteGridView> m_view;
    int m_focused = -1;
    ByteGridContent m_content;
    Subscription m_following;
};
