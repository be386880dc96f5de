#include "WindowFixture.h"
#include "ui/sheets/RenameMatchesDialog.h"
#include "ui/sheets/RenamePreviewModel.h"

#include <QCheckBox>
#include <QPushButton>

using namespace qbtest;
using Paths = std::vector<std::string>;

namespace {

QStringList row(const qb::RenamePreviewModel& preview, int r) {
    QStringList cells;
    for (int c = 0; c < preview.columnCount(); ++c)
        cells << preview.index(r, c).data().toString();
    return cells;
}

} // namespace

TEST_F(WindowTest, RenameMatchesPreviewsEachItemAndConfirmsOnlyAUsablePlan) {
    const Paths items = {tree.file("w/a1.txt"), tree.file("w/a2.txt"), tree.file("w/b.txt")};
    tree.file("w/x2.txt");
    m().setPattern("^A");
    auto* dialog = qb::openRenameMatches(m(), items, &w());
    QSignalSpy shown(dialog, &qb::RenameMatchesDialog::planShown);
    EXPECT_EQ(dialog->findField()->text(), "^A");
    EXPECT_FALSE(dialog->caseSensitiveBox()->isChecked()) << "the search's setting";
    dialog->replaceField()->setText("x");
    QTRY_VERIFY(shown.count() > 0 && dialog->replaceField()->text() == "x" &&
                dialog->preview().plan().rows.size() == 3 &&
                dialog->preview().plan().rows[0].newName == "x1.txt");
    const auto& preview = dialog->preview();
    EXPECT_EQ(row(preview, 0), QStringList({"a1.txt", "x1.txt", "Renamed"}));
    EXPECT_EQ(row(preview, 1),
              QStringList({"a2.txt", "x2.txt", qb::describe(qb::RenameState::exists)}));
    EXPECT_EQ(row(preview, 2), QStringList({"b.txt", "b.txt", "Unchanged"}));
    EXPECT_FALSE(dialog->confirmButton()->isEnabled());

    dialog->findField()->setText("(");
    QTRY_VERIFY(dialog->errorLabel()->isVisible());
    EXPECT_TRUE(dialog->errorLabel()->text().contains("position"));
    EXPECT_FALSE(dialog->confirmButton()->isEnabled());

    dialog->findField()->setText("^a");
    dialog->replaceField()->setText("y");
    QTRY_VERIFY(dialog->confirmButton()->isEnabled());
    EXPECT_FALSE(dialog->errorLabel()->isVisible());
    EXPECT_EQ(dialog->confirmButton()->text(), "Rename 2 Items");
    QSignalSpy ended(&m(), &qb::SearchModel::fileActionEnded);
    dialog->confirmButton()->click();
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(TempTree::list(tree.path("w")), (Paths{"b.txt", "x2.txt", "y1.txt", "y2.txt"}));
    EXPECT_EQ(m().undoHistory().size(), 1u);
}
