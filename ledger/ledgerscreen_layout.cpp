#include "common/databases.h"
#include "ledger/ledgerscreen.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/dtpicker.h"
#include "platform/layoutparts.h"
#include "shell/pictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace qm {

using namespace layout;

void LedgerScreen::buildLayout()
{
    const bool receipts = isReceipts();
    setCaption(receipts ? QStringLiteral("Receipts, Income") : QStringLiteral("Payments, Expenses, Purchases"));
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    setCentralWidget(background);

    sspanel100 = new SSPanel(background);
    sspanel100->setBackColor(vbPink);
    sspanel100->setWidth(15300);
    sspanel100->setHeight(7650);
    QWidget *panel = sspanel100;

    // The data controls, in the order they are released when the form unloads.
    m_rows = hiddenData(panel, BookFile, PasswordConnect, receipts ? QStringLiteral("R") : QStringLiteral("P"));
    m_parties = hiddenData(panel, BookFile, receipts ? PasswordConnect : AccessConnect,
                           receipts ? QStringLiteral("C") : QStringLiteral("S"));
    Data1 = hiddenData(panel, BookFile, AccessConnect, QStringLiteral("S"));
    jac = hiddenData(panel, BusinessFile, PasswordConnect, QStringLiteral("jac"));

    // Header: mode, user, today.
    statuspanel = caption(panel, QStringLiteral("Editing"));
    QFont arial(QStringLiteral("Arial"));
    arial.setBold(true);
    arial.setPointSize(12);
    statuspanel->setFont(arial);
    pay0.add(0, greyBox(panel));
    pay0.add(2, greyBox(panel));
    Picture3 = new Image(panel);
    Picture3->setPicture(labelledPicture(receipts ? QStringLiteral("Income") : QStringLiteral("Expenses"),
                                         QSize(120, 40), QColor(0x2e, 0x7d, 0x4f)));

    for (int i = 0; i <= 6; ++i)
        pay1.add(i, entry(new TextBox(panel)));
    pay1[5]->setBackColor(LightGrey);
    pay1[5]->setLocked(true);
    hidden(pay1[6]);
    picker = new DTPicker(panel);
    combo1 = entry(new DBCombo(panel));
    combo1->setRowSource(m_parties);
    combo1->ListField = QStringLiteral("l");
    combo1->BoundColumn = QStringLiteral("ID");
    combo1->setToolTip(QStringLiteral("Double Click to edit"));
    Combo11 = hidden(new ComboBox(panel));
    Add1 = new CommandButton(panel, receipts ? QStringLiteral("Add Client") : QStringLiteral("Add Supplier"));
    Adds = new CommandButton(panel, receipts ? QStringLiteral("Edit Client") : QStringLiteral("Edit Supplier"));
    for (int i : {0, 1})
        Text2.add(i, hidden(new TextBox(panel)));
    for (int i = 0; i <= 4; ++i)
        Combo2.add(i, entry(new ComboBox(panel)));
    Combo2[4]->setText(QStringLiteral("0"));

    // The GST block.
    Picture2 = new PictureBox(panel);
    Picture2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (int i : {2, 3, 4})
        Text2.add(i, entry(new TextBox(Picture2)));
    Text2.add(6, hidden(new TextBox(Picture2)));
    for (int i : {2, 3, 4, 6})
        Text2[i]->setEnabled(false);
    // The worked-out amounts cannot be typed into, but must read as well as the typed ones.
    for (int i : {2, 3, 4}) {
        QPalette palette = Text2[i]->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        Text2[i]->setPalette(palette);
    }
    Combo3 = entry(new ComboBox(Picture2));
    for (int i = 0; i <= 3; ++i)
        Check2.add(i, new CheckBox(Picture2));
    Check2[0]->setEnabled(false);
    Check2[2]->setEnabled(false);
    auto *gst = new QGridLayout(Picture2);
    gst->setContentsMargins(10, 6, 10, 6);
    gst->setHorizontalSpacing(12);
    const char *titles[] = {"Total", "GST %", "Nett", "GST Amount"};
    const int order[] = {3, -1, 2, 4};
    const int basis[] = {1, 3, 0, 2};
    for (int col = 0; col < 4; ++col) {
        gst->addWidget(caption(Picture2, QString::fromLatin1(titles[col])), 0, col + 1);
        QWidget *box = order[col] < 0 ? static_cast<QWidget *>(Combo3) : Text2[order[col]];
        box->setMinimumWidth(90);
        gst->addWidget(box, 1, col + 1);
        gst->addWidget(Check2[basis[col]], 2, col + 1, Qt::AlignLeft);
    }
    gst->addWidget(caption(Picture2, QStringLiteral("Basis:")), 2, 0);

    // Hidden boxes of the row.
    jobtext = hidden(new TextBox(panel));
    jobin = hidden(new TextBox(panel));
    abn = hidden(greyBox(panel));
    hidden(caption(panel, QStringLiteral("ABN")));
    gobackb = hidden(new TextBox(panel));
    back = hidden(new CommandButton(panel, QStringLiteral("Go Back")));

    Label1.add(7, caption(panel, QStringLiteral("Show Details:")));
    Label1.add(17, hidden(caption(panel, QStringLiteral("Hide Details"))));
    for (int i : {7, 17}) {
        Label1[i]->setForeColor(vbBlue);
        Label1[i]->setCursor(Qt::PointingHandCursor);
    }

    // The details panel.
    Picture1 = hidden(new PictureBox(panel));
    Picture1->setBackColor(vbPink);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QWidget *details = Picture1;
    job = entry(new DBCombo(details));
    job->setRowSource(jac);
    job->ListField = QStringLiteral("jac");
    Command5 = new CommandButton(details, QStringLiteral("Add / Edit"));
    Text1 = entry(new TextBox(details, true));
    Text1->setMinimumHeight(70);
    DTPicker1 = new DTPicker(details);
    for (DTPicker *date : {picker, DTPicker1}) {
        date->setCustomFormat(QStringLiteral("dd MMMM yy"));
        date->setFixedWidth(std::max(135, date->sizeHint().width())); // the longest month and the whole year
    }
    jobidtext = hidden(new TextBox(details));
    classification = hidden(new TextBox(details));
    hidden(caption(details, QStringLiteral("Classification")));
    searchtext = hidden(new TextBox(details));
    search = hidden(new CommandButton(details, QStringLiteral("Get")));
    Label1.add(12, caption(details, QStringLiteral("Invoice Number")));

    auto *detailGrid = new QGridLayout(details);
    detailGrid->setContentsMargins(10, 8, 10, 8);
    detailGrid->setVerticalSpacing(6);
    detailGrid->addWidget(caption(details, QStringLiteral("Job / Account")), 0, 0);
    detailGrid->addWidget(job, 0, 1);
    detailGrid->addWidget(Command5, 0, 2);
    detailGrid->addWidget(caption(details, QStringLiteral("Sub Category")), 1, 0);
    detailGrid->addWidget(Combo2[3], 1, 1, 1, 2);
    detailGrid->addWidget(caption(details, QStringLiteral("Paid by")), 2, 0);
    detailGrid->addWidget(Combo2[1], 2, 1, 1, 2);
    detailGrid->addWidget(caption(details, QStringLiteral("Date of Invoice")), 3, 0);
    detailGrid->addWidget(pay1[2], 3, 1);
    detailGrid->addWidget(DTPicker1, 3, 2);
    // Row 5 is left for the receipts' unpaid-invoice list.
    m_detailGrid = detailGrid;
    detailGrid->addWidget(Label1[12], 4, 0);
    detailGrid->addWidget(pay1[3], 4, 1, 1, 2);
    detailGrid->addWidget(caption(details, QStringLiteral("Cheque Number")), 6, 0);
    detailGrid->addWidget(pay1[4], 6, 1, 1, 2);
    detailGrid->addWidget(caption(details, QStringLiteral("Notes")), 7, 0, Qt::AlignTop);
    detailGrid->addWidget(Text1, 7, 1, 1, 2);
    detailGrid->setColumnStretch(1, 1);
    detailGrid->setRowStretch(8, 1);

    // The buttons: only OK, Cancel and Add show.
    using namespace LedgerButton;
    const std::pair<LedgerButton::Index, const char *> buttons[]
        = {{Next, "Next >"},       {OK, "OK"},  {Cancel, "Cancel"}, {Previous, "< Previous"}, {GoFirst, "<< Go First"},
           {GoLast, "Go Last >>"}, {Add, "Add"}};
    for (const auto &[index, caption] : buttons)
        Command1.add(index, new CommandButton(panel, QString::fromLatin1(caption)));
    for (int i : {Next, Previous, GoFirst, GoLast})
        hidden(Command1[i]);

    // The main column.
    auto *fields = new QGridLayout;
    fields->setVerticalSpacing(7);
    fields->setHorizontalSpacing(8);
    int row = 0;
    fields->addWidget(caption(panel, QStringLiteral("Ref #")), row, 0);
    fields->addWidget(pay1[5], row++, 1);
    fields->addWidget(caption(panel, receipts ? QStringLiteral("Date of Receipt") : QStringLiteral("Date of Payment")),
                      row, 0);
    fields->addWidget(pay1[0], row, 1);
    fields->addWidget(picker, row++, 2);
    fields->addWidget(caption(panel, receipts ? QStringLiteral("Received from") : QStringLiteral("Paid to")), row, 0);
    fields->addWidget(combo1, row, 1);
    auto *partyButtons = new QHBoxLayout;
    partyButtons->addWidget(Add1);
    partyButtons->addWidget(Adds);
    fields->addLayout(partyButtons, row++, 2);
    fields->addWidget(caption(panel, QStringLiteral("For")), row, 0);
    fields->addWidget(pay1[1], row++, 1, 1, 2);
    Label *typeLabel = caption(panel, QStringLiteral("Type"));
    fields->addWidget(typeLabel, row, 0);
    fields->addWidget(Combo2[0], row++, 1);
    if (receipts) {
        hidden(typeLabel);
        hidden(Combo2[0]);
    }
    fields->addWidget(caption(panel, QStringLiteral("Category")), row, 0);
    fields->addWidget(Combo2[2], row++, 1, 1, 2);
    fields->addWidget(caption(panel, QStringLiteral("Personal use of purchase  %")), row, 0);
    fields->addWidget(Combo2[4], row++, 1);
    fields->addWidget(Picture2, row++, 0, 1, 3);
    auto *detailsLink = new QHBoxLayout;
    detailsLink->addWidget(Label1[7]);
    detailsLink->addStretch(1);
    detailsLink->addWidget(back);
    fields->addLayout(detailsLink, row++, 0, 1, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnMinimumWidth(1, 190);
    fields->setRowStretch(row, 1);

    auto *header = new QHBoxLayout;
    header->addWidget(statuspanel);
    header->addStretch(1);
    header->addWidget(caption(panel, QStringLiteral("User")));
    pay0[0]->setFixedWidth(110);
    header->addWidget(pay0[0]);
    header->addSpacing(12);
    header->addWidget(caption(panel, QStringLiteral("Date")));
    pay0[2]->setFixedWidth(100);
    header->addWidget(pay0[2]);
    header->addSpacing(12);
    header->addWidget(Picture3);

    // "Hide Details" lies under the details, away from "Show Details:": a pointer resting on
    // one never lands on the other as they swap. The details keep their place when hidden,
    // so the entry boxes never change width.
    auto *detailsColumn = new QVBoxLayout;
    detailsColumn->addWidget(Picture1);
    detailsColumn->addWidget(Label1[17], 0, Qt::AlignLeft);
    detailsColumn->addStretch(1);
    for (QWidget *keepsPlace : {static_cast<QWidget *>(Picture1), static_cast<QWidget *>(Label1[17])}) {
        QSizePolicy policy = keepsPlace->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        keepsPlace->setSizePolicy(policy);
    }
    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addLayout(fields, 5);
    body->addLayout(detailsColumn, 3);

    auto *footer = new QHBoxLayout;
    footer->addStretch(1);
    for (int i : {Previous, GoFirst, GoLast, Next, Add, OK, Cancel}) {
        Command1[i]->setMinimumWidth(90);
        footer->addWidget(Command1[i]);
    }

    // A box paints its colour over all of its area: keep single lines one line high.
    std::vector<TextBox *> singleLines = {jobtext, jobin, abn, gobackb, jobidtext, classification, searchtext};
    for (const ControlArray<TextBox> *boxes : {&pay0, &pay1, &Text2})
        for (const auto &[index, box] : *boxes)
            singleLines.push_back(box);
    for (TextBox *box : singleLines)
        box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto *main = new QVBoxLayout(panel);
    main->setContentsMargins(18, 14, 18, 14);
    main->setSpacing(10);
    main->addLayout(header);
    main->addLayout(body, 1);
    main->addLayout(footer);
}

} // namespace qm
