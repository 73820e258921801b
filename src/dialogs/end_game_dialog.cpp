#include "dialogs/end_game_dialog.h"

#include <QPainter>

namespace orvala::dialogs {

namespace {

constexpr int kWidth = 460, kHeight = 430;
constexpr QRect kAnimation(20, 60, 160, 160);
constexpr QRect kMedal(300, 60, 140, 160);

}  // namespace

TFormEndGame::TFormEndGame(const EndGameQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::TheCompletionOfGame), parent), question_(question) {
    setObjectName("TFormEndGame");
    setFixedSize(kWidth, kHeight);
    const QString result = word(WordRow::ResultLabel) + QString::number(question.score);
    if (question.place == 1) {
        static constexpr WordRow kTitles[3] = {WordRow::MasterOfOrder, WordRow::BachelorOfOrder,
                                               WordRow::VicePresidentOfOrder};
        lines_ = {word(WordRow::Congratulations), word(WordRow::YourResultTheBest), result,
                  word(kTitles[static_cast<int>(question.kind)])};
    } else if (question.place >= 2 && question.place <= 10) {
        lines_ = {word(WordRow::Congratulations), word(WordRow::GoodResult), result,
                  word(WordRow::HitTopTen)};
    } else {
        // The account table's place below the ten is told beside the score.
        const QString placed = question.kind == EndGameKind::Account && question.place > 10
                                   ? result + " ; " + word(WordRow::PlaceLabel) +
                                         QString::number(question.place)
                                   : result;
        lines_ = {word(WordRow::OurRegrets), word(WordRow::ResultKeepsToWishBest), placed,
                  word(WordRow::NotHitTopTen)};
    }
    if (question.reward > 0)
        lines_ << word(WordRow::YouGet) + " " + QString::number(question.reward) + " " +
                      word(WordRow::Zors) + "!!!";
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setGeometry((kWidth - 100) / 2, kHeight - 48, 100, 30);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    timer_.setInterval(question.frameMs);
    connect(&timer_, &QTimer::timeout, this, &TFormEndGame::nextFrame);
    if (question.animate && question.animation.size() > 1) timer_.start();
}

void TFormEndGame::nextFrame() {
    const int frames = static_cast<int>(question_.animation.size());
    const bool once = question_.place >= 1 && question_.place <= 10;
    if (frame_ + 1 >= frames && once) {
        timer_.stop();
        return;
    }
    frame_ = (frame_ + 1) % frames;
    update(kAnimation);
}

void TFormEndGame::paintEvent(QPaintEvent* event) {
    AuxDialog::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!question_.animation.empty())
        p.drawImage(kAnimation, question_.animation[static_cast<size_t>(frame_)]);
    if (question_.place >= 1 && question_.place <= 10 && !question_.medal.isNull())
        p.drawImage(kMedal, question_.medal);
    QFont f = font();
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    int y = 235;
    for (int i = 0; i < lines_.size(); ++i) {
        p.setPen(i == 0 ? QColor(190, 20, 20) : dialogTextColour(design()));
        p.drawText(QRect(10, y, kWidth - 20, 24), Qt::AlignCenter, lines_[i]);
        y += 26;
        if (i == 0) {
            f.setBold(false);
            p.setFont(f);
        }
    }
}

}  // namespace orvala::dialogs
