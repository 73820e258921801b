#pragma once
// A list of the world top lists: up to ten lines, each with its place, a flag and a face where
// the table has them, the nick, where the player lives and the score or rating. A list whose
// read failed shows "No Connect" centred in its area; a line whose nick is "#" is an empty place
// and shows its place only.

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace orvala::dialogs {

struct WorldLine {
    QString place;  // "1."
    QImage flag;    // null: none drawn
    QImage face;
    QString nick;
    QString where;
    QString value;
    bool empty = false;
};

class WorldList final : public QWidget {
    Q_OBJECT
  public:
    explicit WorldList(QWidget* parent = nullptr);

    void setLines(std::vector<WorldLine> lines);
    void setNoConnect();
    void clear();

    // What the list shows, one text a line ("1. Ann Moscow 120"), or {"No Connect"}.
    QStringList texts() const;
    bool noConnect() const { return noConnect_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<WorldLine> lines_;
    bool noConnect_ = false;
};

}  // namespace orvala::dialogs
