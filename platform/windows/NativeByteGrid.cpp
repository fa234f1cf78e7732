#include "platform/windows/NativeByteGrid.h"

#include <algorithm>

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

#include "platform/windows/CByteGrid.h"
#include "platform/windows/WindowText.h"

namespace {

constexpr int kMargin = 8;
constexpr int kHexPitch = 3; // characters per hex cell: two digits and a gap

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Where everything goes, in canvas pixels, from the font's character size.
class GridLayout {
public:
    GridLayout(const QFontMetrics& metrics, const ByteGridContent& content)
        : m_char(metrics.horizontalAdvance(QLatin1Char('0'))), m_line(metrics.height() + 4),
          m_content(content) {
        std::size_t offsets = 0;
        for (const auto& row : content.rows)
            offsets = std::max(offsets, row.offsets.size());
        m_hexX = kMargin + static_cast<int>(offsets + 2) * m_char;
        m_charX = m_hexX + (kHexPitch * static_cast<int>(kColumns) + 2) * m_char;
    }
    static constexpr std::size_t kColumns = 16;

    int Line() const { return m_line; }
    int Char() const { return m_char; }
    int RowY(std::size_t row) const { return kMargin + static_cast<int>(row + 2) * m_line; }
    int LegendY(std::size_t item) const { return RowY(m_content.rows.size() + 1 + item); }
    int NoteY(std::size_t note) const { return LegendY(m_content.legend.size() + 1 + note); }
    QRect HexCell(std::size_t row, std::size_t col) const {
        return {m_hexX + static_cast<int>(col) * kHexPitch * m_char, RowY(row), kHexPitch * m_char, m_line};
    }
    QRect CharCell(std::size_t row, std::size_t col) const {
        return {m_charX + static_cast<int>(col) * m_char, RowY(row), m_char, m_line};
    }
    QSize Size() const {
        int width = m_charX + static_cast<int>(kColumns) * m_char;
        for (const auto& item : m_content.legend)
            width = std::max(width, kMargin + m_line + static_cast<int>(item.name.size() + 1) * m_char);
        for (const auto& line : m_content.notes)
            width = std::max(width, kMargin + static_cast<int>(line.size()) * m_char);
        width = std::max(width, kMargin + static_cast<int>(m_content.heading.size()) * m_char);
        return {width + kMargin, NoteY(m_content.notes.size()) + kMargin};
    }

private:
    int m_char;
    int m_line;
    int m_hexX = 0;
    int m_charX = 0;
    const ByteGridContent& m_content;
};

bool Outlined(const ByteGridContent& content, std::size_t row, std::size_t col) {
    if (row >= content.rows.size()) return false;
    const auto& cells = content.rows[row].cells;
    return col < cells.size() && cells[col].outlined;
}

class GridCanvas : public QWidget {
public:
    GridCanvas(const ByteGridContent& content, QWidget* parent) : QWidget(parent), m_content(content) {
        setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
    }
    GridLayout Layout() const { return GridLayout(fontMetrics(), m_content); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const GridLayout layout = Layout();
        const int ascent = fontMetrics().ascent() + 2;
        painter.drawText(kMargin, kMargin + ascent, WindowText::ForDisplay(m_content.heading));
        for (std::size_t r = 0; r < m_content.rows.size(); ++r)
            PaintRow(painter, layout, r, ascent);
        for (std::size_t i = 0; i < m_content.legend.size(); ++i)
            PaintLegendItem(painter, layout, i, ascent);
        for (std::size_t i = 0; i < m_content.notes.size(); ++i)
            painter.drawText(kMargin, layout.NoteY(i) + ascent, WindowText::ForDisplay(m_content.notes[i]));
    }

    bool event(QEvent* e) override {
        if (e->type() != QEvent::ToolTip) return QWidget::event(e);
        auto* help = static_cast<QHelpEvent*>(e);
        const std::string* tip = TipAt(help->pos());
        if (tip != nullptr && !tip->empty())
            QToolTip::showText(help->globalPos(), WindowText::ForDisplay(*tip), this);
        else
            QToolTip::hideText();
        return true;
    }

private:
    void PaintRow(QPainter& painter, const GridLayout& layout, std::size_t r, int ascent) {
        const auto& row = m_content.rows[r];
        painter.drawText(kMargin, layout.RowY(r) + ascent, WindowText::ForDisplay(row.offsets));
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const auto& cell = row.cells[c];
            for (const QRect& box : {layout.HexCell(r, c), layout.CharCell(r, c)}) {
                if (cell.tint >= 0) painter.fillRect(box, ToQColor(CByteGrid::TintColor(cell.tint)));
            }
            const QRect hex = layout.HexCell(r, c);
            painter.drawText(hex.left() + layout.Char() / 2, hex.top() + ascent,
                             WindowText::FromLatin1(cell.hex));
            const QRect ch = layout.CharCell(r, c);
            painter.drawText(ch.left(), ch.top() + ascent,
                             WindowText::FromLatin1(std::string(1, cell.shown)));
        }
        PaintOutlines(painter, layout, r);
    }

    // One outline around each run of framed cells: an edge is drawn only
    // where the neighbour across it is not framed.
    void PaintOutlines(QPainter& painter, const GridLayout& layout, std::size_t r) {
        painter.save();
        painter.setPen(QPen(Qt::black, 2));
        const auto& cells = m_content.rows[r].cells;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (!cells[c].outlined) continue;
            const bool left = c == 0 || !cells[c - 1].outlined;
            const bool right = !Outlined(m_content, r, c + 1);
            const bool top = r == 0 || !Outlined(m_content, r - 1, c);
            const bool bottom = !Outlined(m_content, r + 1, c);
            for (const QRect& box : {layout.HexCell(r, c), layout.CharCell(r, c)}) {
                const QRect b = box.adjusted(1, 1, -1, -1);
                if (left || box.width() == layout.Char()) painter.drawLine(b.topLeft(), b.bottomLeft());
                if (right || box.width() == layout.Char()) painter.drawLine(b.topRight(), b.bottomRight());
                if (top) painter.drawLine(b.topLeft(), b.topRight());
                if (bottom) painter.drawLine(b.bottomLeft(), b.bottomRight());
            }
        }
        painter.restore();
    }

    void PaintLegendItem(QPainter& painter, const GridLayout& layout, std::size_t i, int ascent) {
        const auto& item = m_content.legend[i];
        const int y = layout.LegendY(i);
        const QRect swatch(kMargin, y + 2, layout.Line() - 4, layout.Line() - 4);
        if (item.tint >= 0) painter.fillRect(swatch, ToQColor(CByteGrid::TintColor(item.tint)));
        painter.save();
        painter.setPen(item.outlined ? QPen(Qt::black, 2) : QPen(Qt::gray, 1));
        painter.drawRect(swatch);
        painter.restore();
        painter.drawText(kMargin + layout.Line(), y + ascent, WindowText::ForDisplay(item.name));
    }

    const std::string* TipAt(const QPoint& pos) const {
        const GridLayout layout = Layout();
        for (std::size_t r = 0; r < m_content.rows.size(); ++r) {
            const auto& cells = m_content.rows[r].cells;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                if (layout.HexCell(r, c).contains(pos) || layout.CharCell(r, c).contains(pos))
                    return &cells[c].tip;
            }
        }
        return nullptr;
    }

    const ByteGridContent& m_content;
};

} // namespace

NativeByteGrid::NativeByteGrid(CWnd* owner, const ByteGridContent& content, QWidget* ownerWindow)
    : NativeWindow(owner, 0, 0, 0) {
    auto* area = new QScrollArea(ownerWindow);
    area->setWindowFlags(Qt::Window);
    // Opening it leaves the focus in the form, where the editing goes on.
    area->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* canvas = new GridCanvas(content, area);
    // The canvas fills a larger window, so no strip of another colour shows.
    area->setWidgetResizable(true);
    area->setWidget(canvas);
    m_canvas = canvas;
    SetWidget(area);
    ContentChanged();
}

NativeByteGrid::~NativeByteGrid() = default;

void NativeByteGrid::ContentChanged() {
    auto* canvas = static_cast<GridCanvas*>(m_canvas.data());
    if (canvas == nullptr) return;
    canvas->setMinimumSize(canvas->Layout().Size());
    canvas->update();
}
