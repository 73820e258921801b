#include "app/deal_panel_hint.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include "app/shell.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

QString dealPanelHintText(const ScoreSummary& counters) {
    using table::word;
    return word(WordRow::CurrentGame) + "\n" + word(WordRow::GeneralNumberOfGame) + " " +
           QString::fromStdString(counters.gamesAll) + "\n" + word(WordRow::RoundInCycle) + " " +
           QString::fromStdString(counters.gamesInCycle);
}

DealPanelHint::DealPanelHint(Shell& shell, std::function<std::optional<ScoreSummary>()> counters,
                             QObject* parent)
    : QObject(parent), shell_(shell), counters_(std::move(counters)) {
    shell_.window().installEventFilter(this);
}

bool DealPanelHint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || watched != &shell_.window() ||
        shell_.screen() != Screen::Game)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const table::IRect d = shell_.view().layout().dealInfo;
    const QRect panel(d.left, d.top, d.width, d.height);
    if (!panel.contains(help->pos())) return false;
    const std::optional<ScoreSummary> counters = counters_();
    if (!counters) return false;
    QToolTip::showText(help->globalPos(), dealPanelHintText(*counters), &shell_.window(), panel);
    return true;
}

}  // namespace orvala::app
