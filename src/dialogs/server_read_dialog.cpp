#include "dialogs/server_read_dialog.h"

#include "core/online/operations.h"

namespace orvala::dialogs {
namespace {

constexpr std::array<int, 3> kTables{online::kWindowsTable, online::kMobileTable,
                                     online::kAccountTable};

WorldPage pageOfTable(int gid) {
    if (gid == online::kAccountTable) return WorldPage::AccountScore;
    if (gid == online::kMobileTable) return WorldPage::AndroidScore;
    return WorldPage::WindowsScore;
}

QLabel* heading(QWidget* parent, int x, int y, int w) {
    auto* l = new QLabel(parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(13);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(x, y, w, 20);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, dialogTextColour(dialogLook().design));
    l->setPalette(p);
    return l;
}

}  // namespace

QString worldPageTitle(WorldPage page) {
    switch (page) {
        case WorldPage::Rating:
            return "ACCOUNT. RATING. ALL GAMES";
        case WorldPage::AccountScore:
            return "ACCOUNT. SCORE. GAMES IN CYCLE";
        case WorldPage::WindowsScore:
            return "WINDOWS. SCORE. GAMES IN CYCLE";
        case WorldPage::AndroidScore:
            return "ANDROID. SCORE. GAMES IN CYCLE";
        case WorldPage::Tournament:
            return "WINDOWS. ONLINE TOURNAMENT";
        case WorldPage::Local:
            return "WINDOWS. LOCAL GAMES WITH PC";
        case WorldPage::Net:
            return "WINDOWS. NET GAMES";
    }
    return {};
}

TFormServerRead::TFormServerRead(bool tournament, QWidget* parent)
    : AuxDialog(word(WordRow::WorldTopTen), parent) {
    setObjectName("TFormServerRead");
    setFixedSize(900, 560);
    const char* tableCaptions[3] = {"WINDOWS", "ANDROID", "ACCOUNT"};
    for (std::size_t i = 0; i < kTables.size(); ++i) {
        auto* b = dialogButton(QString(tableCaptions[i]), this);
        b->setObjectName(QString("TableButton%1").arg(i + 1));
        b->setGeometry(20 + static_cast<int>(i) * 140, 14, 130, 28);
        connect(b, &QPushButton::clicked, this, [this, i] { chooseTable(kTables[i]); });
        tableButtons[i] = b;
    }
    tableTitle = heading(this, 20, 48, 420);
    topList = new WorldList(this);
    topList->setGeometry(20, 72, 420, 230);
    countLabel = heading(this, 20, 306, 420);
    nearList = new WorldList(this);
    nearList->setGeometry(20, 330, 420, 200);

    for (int i = 0; i < kWorldPages; ++i) {
        const auto page = static_cast<WorldPage>(i);
        auto* b = dialogButton(worldPageTitle(page), this);
        b->setObjectName(QString("PageButton%1").arg(i + 1));
        b->setGeometry(460 + (i % 2) * 212, 14 + (i / 2) * 32, 206, 28);
        b->setEnabled(page != WorldPage::Tournament || tournament);
        connect(b, &QPushButton::clicked, this, [this, page] { choosePage(page); });
        pageButtons[static_cast<std::size_t>(i)] = b;
    }
    pageTitle = heading(this, 460, 146, 420);
    pageList = new WorldList(this);
    pageList->setGeometry(460, 172, 420, 300);

    Button1 = dialogButton(WordRow::Close, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setGeometry(620, 500, 100, 30);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormServerRead::chooseTable(int gid) {
    table_ = gid;
    tableTitle->setText(worldPageTitle(pageOfTable(gid)));
    countLabel->clear();
    topList->clear();
    nearList->clear();
    emit tableAsked(gid);
}

void TFormServerRead::choosePage(WorldPage page) {
    page_ = page;
    pageTitle->setText(worldPageTitle(page));
    pageList->clear();
    emit pageAsked(page);
}

void TFormServerRead::showTable(int gid, const std::optional<std::vector<WorldLine>>& top) {
    if (gid != table_) return;
    if (top)
        topList->setLines(*top);
    else
        topList->setNoConnect();
}

void TFormServerRead::showCount(int gid, std::optional<long long> count) {
    if (gid != table_) return;
    countLabel->setText(word(WordRow::NumberOfGames) + ": " +
                        (count ? QString::number(*count) : QStringLiteral("No Connect")));
}

void TFormServerRead::showNear(int gid, const std::optional<std::vector<WorldLine>>& near) {
    if (gid != table_) return;
    if (near)
        nearList->setLines(*near);
    else
        nearList->setNoConnect();
}

void TFormServerRead::showPage(WorldPage page, const std::optional<std::vector<WorldLine>>& lines) {
    if (page != page_) return;
    if (lines)
        pageList->setLines(*lines);
    else
        pageList->setNoConnect();
}

}  // namespace orvala::dialogs
