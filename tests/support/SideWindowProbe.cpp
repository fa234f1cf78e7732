#include "SideWindowProbe.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include "WindowSystemInput.h"
#include "platform/windows/ProviderTableModel.h"
#include "platform/windows/WindowText.h"

namespace {

constexpr char kGrid[] = "TableGrid";
constexpr char kFilter[] = "FilterBox";

QTableView* GridOf(QWidget* window) {
    return window != nullptr ? window->findChild<QTableView*>(QString::fromLatin1(kGrid)) : nullptr;
}

} // namespace

SideWindowProbe::SideWindowProbe(const std::string& objectName) : m_name(objectName) {}

QWidget* SideWindowProbe::Window() const {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName().toStdString() == m_name) return widget;
    return nullptr;
}

QWidget* SideWindowProbe::Child(const char* name) const {
    QWidget* window = Window();
    return window != nullptr ? window->findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
}

bool SideWindowProbe::Found() const {
    return Window() != nullptr;
}

bool SideWindowProbe::Visible() const {
    return Window() != nullptr && Window()->isVisible();
}

std::string SideWindowProbe::Title() const {
    return Window() != nullptr ? Window()->windowTitle().toStdString() : std::string();
}

std::string SideWindowProbe::FocusName() const {
    QWidget* focus = Window() != nullptr ? Window()->focusWidget() : nullptr;
    // A cell editor is a nameless child of the grid's viewport.
    if (focus != nullptr && focus->objectName().isEmpty() && GridOf(Window()) != nullptr &&
        GridOf(Window())->isAncestorOf(focus))
        return "CellEditor";
    return focus != nullptr ? focus->objectName().toStdString() : std::string();
}

int SideWindowProbe::RowCount() const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr ? grid->model()->rowCount() : 0;
}

int SideWindowProbe::ColumnCount() const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr ? grid->model()->columnCount() : 0;
}

std::string SideWindowProbe::Cell(int row, int column) const {
    QTableView* grid = GridOf(Window());
    auto* cells = grid != nullptr ? dynamic_cast<ProviderTableModel*>(grid->model()) : nullptr;
    return cells != nullptr ? cells->ShownText(row, column) : std::string();
}

bool SideWindowProbe::Tinted(int row, int column) const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr && grid->model()->index(row, column).data(Qt::BackgroundRole).isValid();
}

bool SideWindowProbe::ClickChild(const std::string& name) {
    QWidget* child = Child(name.c_str());
    if (child == nullptr || !child->isVisible()) return false;
    WindowSystemInput::Click(child);
    QCoreApplication::processEvents();
    return true;
}

std::string SideWindowProbe::Header(int column) const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr ? grid->model()->headerData(column, Qt::Horizontal).toString().toStdString()
                           : std::string();
}

int SideWindowProbe::ColumnWidth(int column) const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr ? grid->columnWidth(column) : 0;
}

int SideWindowProbe::CurrentRow() const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr && grid->currentIndex().isValid() ? grid->currentIndex().row() : -1;
}

int SideWindowProbe::CurrentColumn() const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr && grid->currentIndex().isValid() ? grid->currentIndex().column() : -1;
}

bool SideWindowProbe::Editing() const {
    QTableView* grid = GridOf(Window());
    return grid != nullptr && grid->indexWidget(grid->currentIndex()) != nullptr;
}

void SideWindowProbe::ClickCell(int row, int column) {
    QTableView* grid = GridOf(Window());
    if (grid == nullptr) return;
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    WindowSystemInput::Click(grid->viewport(), grid->visualRect(index).center());
}

void SideWindowProbe::DoubleClickCell(int row, int column) {
    QTableView* grid = GridOf(Window());
    if (grid == nullptr) return;
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    WindowSystemInput::DoubleClick(grid->viewport(), grid->visualRect(index).center());
}

void SideWindowProbe::ClickHeader(int column) {
    QTableView* grid = GridOf(Window());
    if (grid == nullptr) return;
    QHeaderView* header = grid->horizontalHeader();
    WindowSystemInput::Click(header->viewport(),
                             QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                    header->height() / 2));
}

void SideWindowProbe::DragColumnEdge(int column, int dx) {
    QTableView* grid = GridOf(Window());
    if (grid == nullptr || grid->window()->windowHandle() == nullptr) return;
    QHeaderView* header = grid->horizontalHeader();
    WindowSystemInput::Activate(header);
    QWindow* window = grid->window()->windowHandle();
    const QPoint edge = header->viewport()->mapTo(
            grid->window(), QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                                   header->height() / 2));
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(window, edge + QPoint(dx / 2, 0));
    QTest::mouseMove(window, edge + QPoint(dx, 0));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, edge + QPoint(dx, 0));
}

void SideWindowProbe::TypeFilter(const std::string& text) {
    QWidget* filter = Child(kFilter);
    if (filter == nullptr) return;
    WindowSystemInput::Click(filter);
    WindowSystemInput::Text(filter, WindowText::FromLatin1(text));
}

void SideWindowProbe::PressKey(WORD vk, BYTE modifiers) {
    if (QWidget* window = Window())
        WindowSystemInput::Key(window, WindowSystemInput::KeyOf(vk),
                               WindowSystemInput::ModifiersOf(modifiers));
}

void SideWindowProbe::TypeText(const std::string& text) {
    if (QWidget* window = Window()) WindowSystemInput::Text(window, WindowText::FromLatin1(text));
}

void SideWindowProbe::ClickCloseBox() {
    WindowSystemInput::Close(Window());
}

bool SideWindowProbe::Paints(const std::string& childName) const {
    QWidget* child = Child(childName.c_str());
    if (child == nullptr) return false;
    const QImage image = child->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) return true;
    return false;
}

void SideWindowProbe::Resize(int width, int height) {
    if (QWidget* window = Window()) window->resize(width, height);
    QCoreApplication::processEvents();
}

void SideWindowProbe::Place(int x, int y, int width, int height) {
    if (QWidget* window = Window()) window->setGeometry(x, y, width, height);
    QCoreApplication::processEvents();
}

std::vector<int> SideWindowProbe::Placement() const {
    const QWidget* window = Window();
    if (window == nullptr) return {0, 0, 0, 0};
    const QRect r = window->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

bool SideWindowProbe::SaveScreenshot(const std::string& path) const {
    QWidget* window = Window();
    return window != nullptr && window->grab().save(QString::fromStdString(path));
}
