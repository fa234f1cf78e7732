// The real file dialog, opened through CFileDialog and looked at while it is
// up: what it lists for "All Files", how it labels the filter, and where it
// starts the next time.

#include <functional>
#include <gtest/gtest.h>
#include <string>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QTimer>

#include "ModalScript.h"
#include "TempDir.h"
#include "platform/windows/CFileDialog.h"
#include "platform/windows/UnscriptedModal.h"

namespace {

struct Seen {
    QStringList listed;
    QStringList filters;
    QString folder;
};

// Runs the dialog for real; `finish` closes it once it lists `wanted` names.
INT_PTR RunReal(CFileDialog& dialog, Seen& seen, int wanted,
                const std::function<void(QFileDialog&)>& finish) {
    UnscriptedModal::SetReporter({});
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* view =
                box != nullptr ? box->findChild<QAbstractItemView*>(QStringLiteral("listView")) : nullptr;
        if (view == nullptr) return;
        // The folder is read on a thread of its own.
        seen.listed.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            seen.listed << view->model()->index(row, 0, root).data().toString();
        if (seen.listed.size() < wanted && waited.elapsed() < 5000) return;
        poll.stop();
        if (auto* types = box->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < types->count(); ++i)
                seen.filters << types->itemText(i);
        seen.folder = box->directory().absolutePath();
        finish(*box);
    });
    poll.start(20);
    const INT_PTR result = dialog.DoModal();
    ModalScript::InstallStrictReporter();
    return result;
}

TEST(FileDialogTest, AllFilesListsNamesWithoutADotAndTheNextDialogStartsInTheSameFolder) {
    TempDir dir;
    TempDir::WriteFile(dir / "README", "no dot");
    TempDir::WriteFile(dir / "game.rom", "rom");
    const QString folder = QDir(QString::fromStdString(dir.Path())).absolutePath();

    CFileDialog open(TRUE, nullptr, (dir / "game.rom").c_str(), OFN_FILEMUSTEXIST, "All Files (*.*)|*.*|");
    Seen first;
    ASSERT_EQ(RunReal(open, first, 2, [](QFileDialog& box) { static_cast<QDialog&>(box).accept(); }), IDOK);
    EXPECT_TRUE(first.listed.contains(QStringLiteral("README"))) << first.listed.join(u',').toStdString();
    EXPECT_TRUE(first.listed.contains(QStringLiteral("game.rom")));
    EXPECT_EQ(first.filters, QStringList{QStringLiteral("All Files (*.*)")});
    EXPECT_EQ(open.GetPathName(), dir / "game.rom");

    CFileDialog next(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                     "Module Files (*.qlm)|*.qlm|All Files (*.*)|*.*|");
    Seen second;
    EXPECT_EQ(RunReal(next, second, 0, [](QFileDialog& box) { box.reject(); }), IDCANCEL);
    EXPECT_EQ(second.folder, folder);
    EXPECT_EQ(second.filters,
              (QStringList{QStringLiteral("Module Files (*.qlm)"), QStringLiteral("All Files (*.*)")}));
}

} // namespace
