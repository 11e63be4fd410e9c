// Grid columns and boxes fitted to a sample show it whole in any font: as the widget's own
// measure says, and as its drawn picture shows.
#include "platform/controls.h"
#include "platform/flexgrid.h"
#include "tests/support/machinefont.h"
#include "tests/support/testservices.h"

#include <QImage>

namespace qm::test {

namespace {
using TextFitTest = ScreenTest;

// The dark pixels (the text) drawn in an area of a widget, cut out of its picture: a text cut
// short or scrolled draws another picture than the same text drawn whole.
QImage ink(QWidget &widget, const QRect &area)
{
    const QImage picture = widget.grab(area).toImage();
    QRect text;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 96)
                text |= QRect(x, y, 1, 1);
    return text.isEmpty() ? QImage() : picture.copy(text);
}

QFont larger(const QFont &font)
{
    QFont result = font;
    result.setPointSizeF(font.pointSizeF() * 1.5);
    return result;
}
} // namespace

TEST_F(TextFitTest, AGridColumnFittedToASampleDrawsItWhole)
{
    const QString sample = QStringLiteral("9999999.99");
    for (const QFont &font : machineFonts()) {
        SCOPED_TRACE(font.toString().toStdString());
        QWidget window;
        window.setFont(font);
        MSFlexGrid grid(&window, 3, 3);
        grid.resize(900, 200);
        grid.setColWidth(0, 900);
        grid.setColWidth(1, 900);
        grid.setColWidth(2, 6000);
        grid.fitColumnTo(1, sample);
        for (int col = 0; col < 3; ++col)
            grid.setTextMatrix(1, col, sample);
        grid.setRow(2); // the current cell is highlighted: keep it off the texts
        window.show();
        processEvents();

        EXPECT_FALSE(grid.showsWhole(0, sample));
        EXPECT_TRUE(grid.showsWhole(1, sample));
        const auto drawn = [&](int col) {
            return ink(*grid.viewport(), grid.visualRect(grid.model()->index(0, col)).adjusted(0, 0, -1, -1));
        };
        const QImage whole = drawn(2);
        ASSERT_FALSE(whole.isNull());
        EXPECT_EQ(drawn(1), whole);
        EXPECT_NE(drawn(0), whole);

        // A narrower width set later, or a larger font, leaves it whole; 0 still hides it.
        grid.setColWidth(1, 900);
        EXPECT_TRUE(grid.showsWhole(1, sample));
        grid.setFont(larger(grid.font()));
        processEvents();
        EXPECT_TRUE(grid.showsWhole(1, sample));
        EXPECT_EQ(drawn(1), drawn(2));
        grid.setColWidth(1, 0);
        EXPECT_EQ(grid.ColWidth(1), 0);
        EXPECT_FALSE(grid.showsWhole(1, sample));
    }
}

TEST_F(TextFitTest, ABoxFittedToASampleDrawsItWhole)
{
    const QString sample = QStringLiteral("99999999.99");
    for (const QFont &font : machineFonts()) {
        SCOPED_TRACE(font.toString().toStdString());
        QWidget window;
        window.setFont(font);
        window.resize(900, 300);
        TextBox fitted(&window), narrow(&window), wide(&window);
        int top = 0;
        for (TextBox *box : {&fitted, &narrow, &wide}) {
            box->setAlignment(TextBox::RightJustify);
            box->setLocked(true);
            box->setText(sample);
            box->Move(0, top, box == &wide ? 9000 : 600, 450);
            top += 900;
        }
        fitted.fitText(sample);
        window.setFocusPolicy(Qt::StrongFocus); // no box shows the focus
        window.show();
        window.setFocus();
        processEvents();

        EXPECT_TRUE(fitted.showsWhole(sample));
        EXPECT_FALSE(narrow.showsWhole(sample));
        EXPECT_TRUE(wide.showsWhole(sample));
        const auto drawn = [](TextBox &box) { return ink(box, box.rect()); };
        const QImage whole = drawn(wide);
        ASSERT_FALSE(whole.isNull());
        EXPECT_EQ(drawn(fitted), whole);
        EXPECT_NE(drawn(narrow), whole);

        // A narrower width set later, or a larger font, leaves it whole.
        fitted.setWidth(300);
        EXPECT_TRUE(fitted.showsWhole(sample));
        window.setFont(larger(window.font()));
        processEvents();
        EXPECT_TRUE(fitted.showsWhole(sample));
        EXPECT_EQ(drawn(fitted), drawn(wide));
    }
}

} // namespace qm::test
