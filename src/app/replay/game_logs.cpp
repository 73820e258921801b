#include "app/replay/game_logs.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/club_records.h"
#include "app/session_table.h"
#include "core/game/seat_roles.h"
#include "core/lan/net_seats.h"
#include "core/text/atomic_file.h"
#include "core/text/cp1251.h"

namespace orvala::app {
namespace {

std::string path8(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A seat's name without the blanks that pad it on the wire and in the club's file.
std::string nameOf(const std::string& bytes) {
    const auto end = bytes.find_last_not_of(' ');
    return cp1251ToUtf8(bytes.substr(0, end == std::string::npos ? 0 : end + 1));
}

}  // namespace

GameLogs::GameLogs(QString programFolder) : programFolder_(std::move(programFolder)) {}

QString GameLogs::folder() const {
    return QDir(programFolder_).filePath("Logs");
}

bool GameLogs::observe(const SessionTable& table, GameLogKind kind) {
    const lan::GameLog& log = table.gameLog();
    const RulesState& s = table.state();
    if (log.deals.empty()) return true;
    // Another game: its own file.
    if (!firstDeal_ || *firstDeal_ != log.deals.front().deal || log.deals.size() < written_) {
        firstDeal_ = log.deals.front().deal;
        written_ = 0;
        finished_ = false;
        file_.reset();
        historyStamp_.reset();
        accountGame_ = false;
        startFile();
    }
    const GameState state = s.g.GameState;
    const bool over = state == GameState::GameOver;
    // The deals played out: all but the one under way.
    const std::size_t complete =
        log.deals.size() - (state == GameState::DealScored || over ? 0 : 1);
    if (complete == 0 || (complete == written_ && (!over || finished_))) return true;

    const lan::NetRole viewer = table.logViewer();
    GameLogFile file;
    file.kind = accountGame_ && kind == GameLogKind::Local ? GameLogKind::Account : kind;
    file.game = log;
    file.game.deals.resize(complete);
    for (int h = 1; h <= 3; ++h)
        file.game.names[static_cast<std::size_t>(h)] =
            nameOf(s.g.SeatNames[static_cast<std::size_t>(lan::localSeat(viewer, h))]);
    file.firstBidder = lan::hostSeat(viewer, firstBidderOf(s.roles, s.g.KonNumber, 1));
    // Each deal's scores are the rules' own, from the log itself: a deal that ended while the
    // table was never still is logged as well as any other.
    const GameLogReplay replayed = replayGameLogScoring(file);
    if (!replayed.error.empty()) {
        // The rules refuse what the table played: a fault of ours, not of the disk. The game
        // goes on; the log keeps the deals written before.
        qWarning("orvala: the game's log is not written: %s", replayed.error.c_str());
        written_ = complete;
        return true;
    }
    file.scores = replayed.scores;
    if (over) {
        // The history line's stamp when it is written already, else now's (the line follows).
        const HistoryStamp stamp = historyStamp_ ? *historyStamp_ : localHistoryStamp();
        file.finished =
            GameLogFinish{stamp.time, stamp.date, nameOf(s.g.SeatNames[3]), s.g.GameResult};
    }
    QDir().mkpath(folder());
    if (!writeFileAtomically(path8(path_), writeGameLogText(file))) return false;
    written_ = complete;
    finished_ = over;
    file_ = std::move(file);
    return true;
}

bool GameLogs::historyWritten(const HistoryStamp& stamp, HistoryKind kind) {
    historyStamp_ = stamp;
    accountGame_ = kind == HistoryKind::Account;
    if (!file_ || !file_->finished) return true;
    const GameLogKind logged =
        accountGame_ && file_->kind == GameLogKind::Local ? GameLogKind::Account : file_->kind;
    if (file_->finished->time == stamp.time && file_->finished->date == stamp.date &&
        file_->kind == logged)
        return true;
    file_->kind = logged;
    file_->finished->time = stamp.time;
    file_->finished->date = stamp.date;
    return writeFileAtomically(path8(path_), writeGameLogText(*file_));
}

void GameLogs::startFile() {
    const QString base = QDateTime::currentDateTime().toString("yyyy.MM.dd-hh.mm.ss");
    QString name = base + ".log";
    // Two games begun within a second keep two files.
    for (int n = 2; QFileInfo::exists(QDir(folder()).filePath(name)); ++n)
        name = base + "-" + QString::number(n) + ".log";
    path_ = QDir(folder()).filePath(name);
    prune();
}

void GameLogs::prune() const {
    // The names sort as their times do; the file about to be written counts as one.
    const QStringList logs = QDir(folder()).entryList({"*.log"}, QDir::Files, QDir::Name);
    const qsizetype excess = logs.size() + 1 - static_cast<qsizetype>(kMaxGameLogFiles);
    for (qsizetype i = 0; i < excess; ++i) QFile::remove(QDir(folder()).filePath(logs[i]));
}

std::map<std::string, QString> GameLogs::finishedLogs() const {
    std::map<std::string, QString> found;
    const QStringList logs = QDir(folder()).entryList({"*.log"}, QDir::Files, QDir::Name);
    for (const QString& name : logs) {
        QFile f(QDir(folder()).filePath(name));
        if (!f.open(QIODevice::ReadOnly)) continue;
        f.seek(std::max<qint64>(0, f.size() - 256));
        const QByteArray tail = f.read(256);
        const qsizetype at = tail.lastIndexOf("\nfinished ");
        if (at < 0) continue;
        const QList<QByteArray> words = tail.mid(at + 1).trimmed().split(' ');
        if (words.size() < 3) continue;
        found[(words[1] + ' ' + words[2]).toStdString()] = f.fileName();
    }
    return found;
}

}  // namespace orvala::app
