#pragma once

#include <functional>

#include "platform/windows/CWnd.h"

// The bordered child window that carries the entry selector and the form's
// rows. It scrolls by moving its children, and hands every command of its
// children on to its parent so the dialog's command table sees them. The
// wheel scrolls it by lines, and a child that gains the focus is scrolled
// into view.
class CScrollPanel : public CWnd {
public:
    CScrollPanel();
    ~CScrollPanel() override;

    // rect is in the parent's client coordinates, in pixels.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    BOOL SetContentHeight(int height);
    BOOL UpdateScrollInfo();

    // Told the id of each child that gains the focus.
    void SetFocusListener(std::function<void(UINT id)> listener) { m_focusListener = std::move(listener); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnVScroll(UINT code, UINT thumb, CScrollBar* scrollBar) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    int ClientHeight() const;
    void FollowClampedBar(int oldPos);
    void ScrollTo(int pos);
    void OnMouseWheel(int delta);
    void ShowChild(UINT id);

    int m_nScrollPos = 0;
    int m_nContentHeight = 1000;
    // Wheel turns smaller than a notch (fine-grained wheels, touchpads)
    // add up until they make one.
    int m_wheelRest = 0;
    std::function<void(UINT id)> m_focusListener;
};
