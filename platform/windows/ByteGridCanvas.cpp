#include "platform/windows/ByteGridCanvas.h"

#include <algorithm>
#include <array>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "platform/windows/ByteGridModel.h"
#include "platform/windows/WindowText.h"

namespace {

constexpr int kMargin = 8;
constexpr int kHexPitch = 3; // characters per hex cell: two digits and a gap
constexpr std::size_t kColumns = 16;

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

// Draws one content with one layout.
class GridPainter {
public:
    GridPainter(QPainter& painter, const GridLayout& layout, const ByteGridContent& content, int ascent)
        : m_painter(painter), m_layout(layout), m_content(content), m_ascent(ascent) {}

    void PaintAll() {
        m_painter.drawText(kMargin, kMargin + m_ascent, WindowText::ForDisplay(m_content.heading));
        for (std::size_t r = 0; r < m_content.rows.size(); ++r)
            PaintRow(r);
        for (std::size_t i = 0; i < m_content.legend.size(); ++i)
            PaintLegendItem(i);
        for (std::size_t i = 0; i < m_content.notes.size(); ++i)
            m_painter.drawText(kMargin, m_layout.NoteY(i) + m_ascent,
                               WindowText::ForDisplay(m_content.notes[i]));
    }

private:
    void PaintRow(std::size_t r) {
        const auto& row = m_content.rows[r];
        m_painter.drawText(kMargin, m_layout.RowY(r) + m_ascent, WindowText::ForDisplay(row.offsets));
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const auto& cell = row.cells[c];
            const QRect hex = m_layout.HexCell(r, c);
            const QRect ch = m_layout.CharCell(r, c);
            if (cell.tint >= 0) {
                m_painter.fillRect(hex, ByteGridCanvas::TintColor(cell.tint));
                m_painter.fillRect(ch, ByteGridCanvas::TintColor(cell.tint));
            }
            if (cell.changed) {
                m_painter.save();
                m_painter.setPen(QPen(Qt::red, 2));
                m_painter.drawLine(hex.left() + 2, hex.bottom() - 1, hex.right() - 2, hex.bottom() - 1);
                m_painter.restore();
            }
            m_painter.drawText(hex.left() + m_layout.Char() / 2, hex.top() + m_ascent,
                               WindowText::FromLatin1(cell.hex));
            m_painter.drawText(ch.left(), ch.top() + m_ascent,
                               WindowText::FromLatin1(std::string(1, cell.shown)));
        }
        PaintOutlines(r);
    }

    // One outline around each run of framed cells: an edge is drawn only
    // where the neighbour across it is not framed.
    void PaintOutlines(std::size_t r) {
        m_painter.save();
        m_painter.setPen(QPen(Qt::black, 2));
        const auto& cells = m_content.rows[r].cells;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (!cells[c].outlined) continue;
            const bool left = c == 0 || !cells[c - 1].outlined;
            const bool right = !Outlined(m_content, r, c + 1);
            const bool top = r == 0 || !Outlined(m_content, r - 1, c);
            const bool bottom = !Outlined(m_content, r + 1, c);
            for (const QRect& box : {m_layout.HexCell(r, c), m_layout.CharCell(r, c)}) {
                const QRect b = box.adjusted(1, 1, -1, -1);
                if (left || box.width() == m_layout.Char()) m_painter.drawLine(b.topLeft(), b.bottomLeft());
                if (right || box.width() == m_layout.Char())
                    m_painter.drawLine(b.topRight(), b.bottomRight());
                if (top) m_painter.drawLine(b.topLeft(), b.topRight());
                if (bottom) m_painter.drawLine(b.bottomLeft(), b.bottomRight());
            }
        }
        m_painter.restore();
    }

    void PaintLegendItem(std::size_t i) {
        const auto& item = m_content.legend[i];
        const int y = m_layout.LegendY(i);
        const QRect swatch(kMargin, y + 2, m_layout.Line() - 4, m_layout.Line() - 4);
        if (item.tint >= 0) m_painter.fillRect(swatch, ByteGridCanvas::TintColor(item.tint));
        m_painter.save();
        m_painter.setPen(item.outlined ? QPen(Qt::black, 2) : QPen(Qt::gray, 1));
        m_painter.drawRect(swatch);
        m_painter.restore();
        m_painter.drawText(kMargin + m_layout.Line(), y + m_ascent, WindowText::ForDisplay(item.name));
    }

    QPainter& m_painter;
    const GridLayout& m_layout;
    const ByteGridContent& m_content;
    int m_ascent;
};

} // namespace

ByteGridCanvas::ByteGridCanvas(const ByteGridModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("ByteCanvas"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

QSize ByteGridCanvas::ContentSize() const {
    return GridLayout(fontMetrics(), m_model.Content()).Size();
}

QColor ByteGridCanvas::TintColor(int tint) {
    // Hues far apart follow each other, so neighbouring elements differ
    // even where the palette repeats.
    static const std::array<QColor, kTints> kPalette = {
            QColor(255, 190, 190), QColor(190, 225, 255), QColor(200, 240, 180), QColor(255, 225, 160),
            QColor(225, 195, 255), QColor(170, 235, 225), QColor(255, 200, 235), QColor(230, 230, 150),
            QColor(205, 205, 205), QColor(255, 210, 180), QColor(180, 200, 255), QColor(215, 240, 215),
    };
    if (tint < 0) return Qt::white;
    return kPalette[static_cast<std::size_t>(tint % kTints)];
}

void ByteGridCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ByteGridContent& content = m_model.Content();
    const GridLayout layout(fontMetrics(), content);
    GridPainter(painter, layout, content, fontMetrics().ascent() + 2).PaintAll();
}

bool ByteGridCanvas::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    auto* help = static_cast<QHelpEvent*>(e);
    const std::string* tip = TipAt(help->pos());
    if (tip != nullptr && !tip->empty())
        QToolTip::showText(help->globalPos(), WindowText::ForDisplay(*tip), this);
    else
        QToolTip::hideText();
    return true;
}

const std::string* ByteGridCanvas::TipAt(const QPoint& pos) const {
    const ByteGridContent& content = m_model.Content();
    const GridLayout layout(fontMetrics(), content);
    for (std::size_t r = 0; r < content.rows.size(); ++r) {
        const auto& cells = content.rows[r].cells;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (layout.HexCell(r, c).contains(pos) || layout.CharCell(r, c).contains(pos))
                return &cells[c].tip;
        }
    }
    return nullptr;
}
