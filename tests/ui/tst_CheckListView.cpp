// The mark toggle of the extension list: every press of any mouse button in
// the check box column turns the entry's mark over, the second press of a
// double-click too; Space turns the selected entry over; Qt's own check box
// handling never adds a toggle of its own.
#include "tests/ui/CollectTestSupport.h"
#include "ui/CheckListView.h"
#include "ui/Unit1.h"

#include <QImage>
#include <QItemSelectionModel>
#include <QStyle>
#include <QWindow>

using namespace glyphwright;
using namespace glyphwright::ui;
using namespace glyphwright::ui::test;

class TestCheckListView : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TForm1> form_;
    CheckListView* list_ = nullptr;

    bool Mark(int row) const { return form_->Extensions().Mark(static_cast<std::size_t>(row)); }

    // A point of row, x pixels right of the entry's left edge, in the window.
    QPoint InWindow(int row, int x) const {
        const QRect entry = list_->visualRect(list_->model()->index(row, 0));
        const QPoint inViewport(entry.left() + x, entry.center().y());
        return list_->viewport()->mapTo(form_.get(), inViewport);
    }

    // Presses and releases through the window system, as a real mouse does.
    void Click(Qt::MouseButton button, int row, int x) {
        QTest::mouseClick(form_->windowHandle(), button, {}, InWindow(row, x));
    }

    int SelectedRow() const {
        const QModelIndexList rows = list_->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    QImage RowPicture(int row) {
        const QRect entry = list_->visualRect(list_->model()->index(row, 0));
        return list_->viewport()->grab(entry).toImage();
    }

private slots:
    void init() {
        form_ = std::make_unique<TForm1>();
        form_->ShowAtFirstPosition();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        list_ = qobject_cast<CheckListView*>(Child<QListView>(*form_, "CheckListBox2"));
        QVERIFY(list_ != nullptr);
    }

    void cleanup() { form_.reset(); }

    void theColumnIsTheStyleCheckBoxPlusTwoAndRowsStayThirteenHigh() {
        const int box = list_->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list_);
        QCOMPARE(list_->CheckColumnWidth(), box + 2);
        QCOMPARE(list_->sizeHintForRow(0), 13);
        QVERIFY(list_->uniformItemSizes());
        QCOMPARE(list_->selectionMode(), QAbstractItemView::SingleSelection);
        // Qt's own check box handling stays out: the entries are not user-checkable.
        QVERIFY(!(list_->model()->flags(list_->model()->index(0, 0)) & Qt::ItemIsUserCheckable));
    }

    void everyButtonPressInTheColumnToggles() {
        const int column = list_->CheckColumnWidth();
        Click(Qt::LeftButton, 1, 2);
        QVERIFY(Mark(1));
        Click(Qt::RightButton, 1, column - 1);
        QVERIFY(!Mark(1));
        Click(Qt::MiddleButton, 3, 0);
        QVERIFY(Mark(3));
        QVERIFY(!Mark(0) && !Mark(2) && !Mark(4));
    }

    void onlyTheLeftButtonSelectsAndItDoesSoFirst() {
        int selectedAtToggle = -2;
        connect(list_, &CheckListView::ToggleMark, this,
                [this, &selectedAtToggle] { selectedAtToggle = SelectedRow(); });
        list_->selectionModel()->clearSelection();
        Click(Qt::RightButton, 2, 3);
        QVERIFY(Mark(2));
        QCOMPARE(SelectedRow(), -1);
        Click(Qt::LeftButton, 4, 3);
        QVERIFY(Mark(4));
        QCOMPARE(selectedAtToggle, 4);
    }

    void aPressRightOfTheColumnOnlySelects() {
        Click(Qt::LeftButton, 2, list_->CheckColumnWidth());
        Click(Qt::RightButton, 3, 40);
        Click(Qt::MiddleButton, 3, 40);
        for (int row = 0; row < 7; ++row) {
            QVERIFY(!Mark(row));
        }
        QCOMPARE(SelectedRow(), 2);
        // Below the last entry nothing toggles either.
        while (form_->Extensions().Count() > 3) {
            form_->Extensions().Delete(3);
        }
        const QPoint below =
            list_->viewport()->mapTo(form_.get(), QPoint(3, list_->viewport()->height() - 2));
        QVERIFY(!list_->indexAt(list_->viewport()->mapFrom(form_.get(), below)).isValid());
        QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, below);
        for (int row = 0; row < 3; ++row) {
            QVERIFY(!Mark(row));
        }
    }

    void aDoubleClickTogglesTwice() {
        int toggles = 0;
        connect(list_, &CheckListView::ToggleMark, this, [&toggles] { ++toggles; });
        QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {}, InWindow(0, 5));
        QCOMPARE(toggles, 2);
        QVERIFY(!Mark(0));
        QTest::mouseDClick(form_->windowHandle(), Qt::RightButton, {}, InWindow(0, 5));
        QCOMPARE(toggles, 4);
        QVERIFY(!Mark(0));
        // A third press after the double-click toggles once more.
        Click(Qt::LeftButton, 0, 5);
        QVERIFY(Mark(0));
    }

    void spaceTogglesTheSelectedEntry() {
        list_->setFocus();
        list_->setCurrentIndex(list_->model()->index(5, 0));
        QCOMPARE(SelectedRow(), 5);
        QTest::keyClick(list_, Qt::Key_Space);
        QVERIFY(Mark(5));
        QTest::keyClick(list_, Qt::Key_Space);
        QVERIFY(!Mark(5));
        // The arrow keys move the selection as in any list.
        QTest::keyClick(list_, Qt::Key_Down);
        QTest::keyClick(list_, Qt::Key_Space);
        QVERIFY(Mark(6));
    }

    void spaceWithNothingSelectedDoesNothing() {
        list_->setFocus();
        list_->setCurrentIndex(list_->model()->index(1, 0));
        list_->selectionModel()->clearSelection();
        QTest::keyClick(list_, Qt::Key_Space);
        for (int row = 0; row < 7; ++row) {
            QVERIFY(!Mark(row));
        }
        // Nor does it select the entry that has the keyboard cursor.
        QCOMPARE(SelectedRow(), -1);
    }

    // The box is drawn inside the column and shows the mark of the core list
    // as soon as it changes, whoever changes it.
    void theBoxInTheColumnShowsTheMark() {
        const QImage off = RowPicture(2);
        form_->Extensions().SetMark(2, true);
        const QImage on = RowPicture(2);
        QCOMPARE(on.size(), off.size());
        int firstChanged = on.width();
        int lastChanged = -1;
        for (int y = 0; y < on.height(); ++y) {
            for (int x = 0; x < on.width(); ++x) {
                if (on.pixel(x, y) != off.pixel(x, y)) {
                    firstChanged = std::min(firstChanged, x);
                    lastChanged = std::max(lastChanged, x);
                }
            }
        }
        QVERIFY(lastChanged >= 0);
        QVERIFY(firstChanged >= 1);
        QVERIFY(lastChanged < list_->CheckColumnWidth() - 1);
    }
};

GW_UI_TEST_MAIN(TestCheckListView)
#include "tst_CheckListView.moc"
