// How the payments and receipts screens behave under the pointer and the eye: the details
// links never swap under a resting pointer, the entry boxes keep their width, the worked-out
// amounts read as well as the typed ones, and one pass over "Go to invoice" opens it once.
#include "invoicing/inv.h"
#include "platform/dtpicker.h"
#include "tests/ledger/ledgerfixture.h"

#include <QFontMetrics>
#include <QLineEdit>

namespace qm::test {

namespace {

class LayoutTest : public LedgerTest
{
protected:
    static LedgerScreen &shown(bool receipts)
    {
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        form.Show();
        processEvents();
        return form;
    }

    static QRect onPanel(QWidget *widget, QWidget *panel)
    {
        return QRect(widget->mapTo(panel, QPoint()), widget->size());
    }
};

// A message box that, while it is up, lets another event of the screen run, as the pointer
// moving on over a link does.
class EventDuringMessage : public RecordingMessageSink
{
public:
    std::function<void()> during;

    int show(const MessageRecord &message) override
    {
        if (during)
            std::exchange(during, nullptr)();
        return RecordingMessageSink::show(message);
    }
};

} // namespace

TEST_F(LayoutTest, TheDetailsLinksNeverLieUnderOneAnotherAndTheBoxesKeepTheirWidth)
{
    for (bool receipts : {false, true}) {
        SCOPED_TRACE(receipts ? "receipts" : "payments");
        LedgerScreen &form = shown(receipts);
        const QRect show = onPanel(form.Label1[7], form.sspanel100);
        const int partyWidth = form.combo1->width();
        form.Label1_MouseMove(7);
        processEvents();
        ASSERT_TRUE(form.Picture1->Visible());
        const QRect hide = onPanel(form.Label1[17], form.sspanel100);
        EXPECT_FALSE(show.intersects(hide));
        // "Paid to" / "Received from" is as wide with the details shown, and wide enough for a
        // long name.
        EXPECT_EQ(form.combo1->width(), partyWidth);
        EXPECT_GE(partyWidth, QFontMetrics(form.combo1->font()).horizontalAdvance("O'Brien's Farm Pty"));
        form.Label1_MouseMove(17);
        processEvents();
        EXPECT_EQ(onPanel(form.Label1[7], form.sspanel100), show);
        EXPECT_EQ(form.combo1->width(), partyWidth);
        Forms::discardAll();
    }
}

// The two date pickers show the whole date, the longest month and all four digits of the
// year, in the font they are drawn with.
TEST_F(LayoutTest, ThePickersShowTheWholeDate)
{
    for (bool receipts : {false, true}) {
        SCOPED_TRACE(receipts ? "receipts" : "payments");
        LedgerScreen &form = shown(receipts);
        form.Label1_MouseMove(7);
        processEvents();
        for (DTPicker *picker : {form.picker, form.DTPicker1}) {
            picker->setValue(QDate(2026, 9, 30));
            EXPECT_EQ(picker->text(), "30 September 2026");
            EXPECT_GE(picker->width(), picker->sizeHint().width());
        }
        Forms::discardAll();
    }
}

// Nett and GST Amount cannot be typed into, but their text is as dark as a typed one's.
TEST_F(LayoutTest, TheWorkedOutAmountsReadAsWellAsTheTypedOnes)
{
    LedgerScreen &form = shown(false);
    form.Text2[3]->typeText("110");
    for (int i : {2, 4}) {
        const QLineEdit *editor = form.Text2[i]->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        ASSERT_FALSE(editor->isEnabled());
        EXPECT_EQ(editor->palette().color(QPalette::Disabled, QPalette::Text),
                  form.Text2[3]->findChild<QLineEdit *>()->palette().color(QPalette::Active, QPalette::Text))
            << i;
    }
}

TEST_F(LayoutTest, OnePassOverGoToInvoiceOpensItOnce)
{
    EventDuringMessage messages;
    MessageSink *previous = setMessageSink(&messages);
    RRC &form = Forms::get<RRC>();
    form.Show();
    form.getinv->setText("NOPE");
    messages.during = [&] { form.Label2_MouseMove(); };
    form.Label2_MouseMove();
    EXPECT_EQ(messages.texts(), std::vector<QString>{"No current record."});
    EXPECT_TRUE(Forms::isLoaded<INV>());
    setMessageSink(previous);
}

} // namespace qm::test
