// The docking arithmetic on its own: order, nesting, and what happens when the
// room runs out. The main window's numbers are checked on the real window.
#include "ui/DockLayout.h"

#include <QTest>

using namespace glyphwright::ui;

namespace {

// The main window's client area: status line, progress bar and step 3 from
// the bottom up, step 1 at the top, step 2 filling the rest.
std::vector<QRect> ArrangeClient(int width, int height, bool progressVisible) {
    return ArrangeDocked(QRect(0, 0, width, height), {{DockSide::Bottom, 19, true},
                                                      {DockSide::Bottom, 5, progressVisible},
                                                      {DockSide::Bottom, 137, true},
                                                      {DockSide::Top, 193, true},
                                                      {DockSide::Fill, 0, true}});
}

} // namespace

class TestDockLayout : public QObject {
    Q_OBJECT
private slots:
    void topLeftAndFillNest() {
        // Step 2: Panel4 on top, Panel5 as the left margin, Panel6 the rest.
        const auto r = ArrangeDocked(
            QRect(0, 0, 552, 241),
            {{DockSide::Top, 41, true}, {DockSide::Left, 48, true}, {DockSide::Fill, 0, true}});
        QCOMPARE(r[0], QRect(0, 0, 552, 41));
        QCOMPARE(r[1], QRect(0, 41, 48, 200));
        QCOMPARE(r[2], QRect(48, 41, 504, 200));
    }

    void bottomChildrenKeepListOrderFromTheBottomUp() {
        const auto r = ArrangeDocked(QRect(10, 20, 100, 100),
                                     {{DockSide::Bottom, 10, true}, {DockSide::Bottom, 30, true}});
        QCOMPARE(r[0], QRect(10, 110, 100, 10));
        QCOMPARE(r[1], QRect(10, 80, 100, 30));
    }

    void exhaustedAreaLeavesTheFillEmpty() {
        // 419 = 19 + 5 + 137 + 193 + the 65 that Panel3's own top children take.
        const auto exact = ArrangeClient(452, 354, true);
        QCOMPARE(exact[4].height(), 0);
        const auto tooSmall = ArrangeClient(100, 200, true);
        QCOMPARE(tooSmall[4].width(), 100);
        QCOMPARE(tooSmall[4].height(), 0);
        // Docked children keep their own extent even when they overlap then.
        QCOMPARE(tooSmall[3], QRect(0, 0, 100, 193));
        QCOMPARE(tooSmall[0], QRect(0, 181, 100, 19));
        const auto zeroWidth = ArrangeDocked(
            QRect(0, 0, 30, 50), {{DockSide::Left, 48, true}, {DockSide::Fill, 0, true}});
        QCOMPARE(zeroWidth[1].width(), 0);
    }
};

QTEST_APPLESS_MAIN(TestDockLayout)
#include "tst_DockLayout.moc"
