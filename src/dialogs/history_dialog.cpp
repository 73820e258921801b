#include "dialogs/history_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/records/history_file.h"
#include "core/text/atomic_file.h"
#include "core/text/cp1251.h"

namespace orvala::dialogs {

namespace {

// The file chosen last in this run; 0 before the first opening.
int gChosen = 0;

constexpr int kWidths[7] = {45, 65, 210, 45, 55, 55, 80};

struct Kind {
    const char* name;
    QColor colour;  // invalid: the window's text colour
};

Kind kindOf(char marker) {
    switch (marker) {
        case 'N':
            return {"Net", QColor(0, 128, 0)};
        case 'A':
            return {"Account", QColor(Qt::red)};
        case 'T':
            return {"Tourney", QColor(Qt::blue)};
        default:
            return {"Local", QColor()};
    }
}

}  // namespace

void forgetHistorySelection() {
    gChosen = 0;
}

TFHistory::TFHistory(const HistoryQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::HistoryOfGames), parent), question_(question) {
    setObjectName("TFHistory");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    SG = new QTableWidget(0, 7, this);
    SG->setObjectName("SG");
    SG->setHorizontalHeaderLabels(
        {word(WordRow::Time), word(WordRow::Date), word(WordRow::HistoryPlayer),
         word(WordRow::Games), word(WordRow::Result), word(WordRow::Rating), word(WordRow::Type)});
    SG->verticalHeader()->hide();
    SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG->setSelectionBehavior(QAbstractItemView::SelectRows);
    int tableWidth = 0;
    for (int c = 0; c < 7; ++c) {
        SG->setColumnWidth(c, kWidths[c]);
        tableWidth += kWidths[c];
    }
    SG->setMinimumSize(tableWidth + 22, 360);

    for (const HistoryListing& file : listHistoryFiles(question.folder)) {
        numbers_.push_back(file.number);
        ListBox1->addItem(QString("File I%1 %2")
                              .arg(file.number, 4, 10, QChar('0'))
                              .arg(QString::fromStdString(file.date)));
    }
    if (numbers_.empty()) {
        ListBox1->addItem("No History Files");
        ListBox1->setEnabled(false);
    }
    ListBox1->setFixedWidth(numbers_.size() > 16 ? 193 : 180);

    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    ButtonReplay = dialogButton(WordRow::ReplayGame, this);
    ButtonReplay->setObjectName("ButtonReplay");
    ButtonReplay->setEnabled(false);
    connect(ButtonReplay, &QPushButton::clicked, this, [this] {
        const QString log = chosenLog();
        if (log.isEmpty()) return;
        accept();
        emit replayRequested(log);
    });
    connect(SG, &QTableWidget::currentCellChanged, this,
            [this] { ButtonReplay->setEnabled(!chosenLog().isEmpty()); });

    auto* row = new QHBoxLayout;
    row->addWidget(ListBox1);
    row->addWidget(SG, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 14);
    column->addLayout(row);
    auto* keys = new QHBoxLayout;
    keys->addStretch();
    keys->addWidget(ButtonReplay);
    keys->addWidget(Button1);
    keys->addStretch();
    column->addLayout(keys);

    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(numbers_.size()))
            showFile(numbers_[static_cast<size_t>(row)]);
    });
    if (!numbers_.empty()) {
        const auto kept = std::find(numbers_.begin(), numbers_.end(), gChosen);
        const auto at = kept != numbers_.end() ? kept : numbers_.end() - 1;
        ListBox1->setCurrentRow(static_cast<int>(at - numbers_.begin()));
    }
}

void TFHistory::showFile(int number) {
    shown_ = gChosen = number;
    std::string bytes;
    SG->setRowCount(0);
    if (!readFileBytes(historyFilePath(question_.folder, number), bytes)) return;
    const auto lines = historyGameLines(bytes);
    SG->setRowCount(static_cast<int>(lines.size()));
    static constexpr std::pair<size_t, size_t> kColumns[6] = {{0, 5},  {5, 10},  {15, 51},
                                                              {66, 3}, {69, 10}, {79, 10}};
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const std::string& line = lines[static_cast<size_t>(r)];
        const Kind kind = kindOf(line[89]);
        for (int c = 0; c < 7; ++c) {
            const QString text =
                c < 6 ? QString::fromStdString(
                            cp1251ToUtf8(line.substr(kColumns[c].first, kColumns[c].second)))
                            .trimmed()
                      : QString(kind.name);
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(c == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            if (kind.colour.isValid()) item->setForeground(kind.colour);
            SG->setItem(r, c, item);
        }
    }
    // The highlight means something only when there is more than one row to choose from.
    SG->setSelectionMode(lines.size() > 1 ? QAbstractItemView::SingleSelection
                                          : QAbstractItemView::NoSelection);
    SG->setCurrentCell(-1, -1);
    ButtonReplay->setEnabled(!chosenLog().isEmpty());
}

QString TFHistory::chosenLog() const {
    // A single game is chosen without a highlight.
    const int row = SG->rowCount() == 1 ? 0 : SG->currentRow();
    if (row < 0 || row >= SG->rowCount()) return {};
    const auto at = question_.logs.find(
        (SG->item(row, 0)->text() + ' ' + SG->item(row, 1)->text()).toStdString());
    return at == question_.logs.end() ? QString() : at->second;
}

}  // namespace orvala::dialogs
