#pragma once
// One worker thread for the computer players' thinking. A job runs there on a copy of the rules
// state; its result comes back on the owner's thread, unless the job was dropped in the meantime
// (the person left the game). Jobs run one at a time, in the order given, so seeded games repeat.

#include <QObject>
#include <QThread>
#include <functional>
#include <vector>

#include "core/game/rules_input.h"

namespace orvala::app {

class ThinkingWorker final : public QObject {
    Q_OBJECT
  public:
    using Job = std::function<std::vector<Input>()>;
    using Done = std::function<void(std::vector<Input>)>;

    explicit ThinkingWorker(QObject* parent = nullptr);
    // Waits for a job under way to end: the owner makes it end soon (see GameSession).
    ~ThinkingWorker() override;

    void run(Job job, Done done);
    // The result of the job under way, if any, is thrown away.
    void drop();
    bool running() const { return running_; }

  private:
    QThread thread_;
    QObject* onThread_ = nullptr;
    unsigned generation_ = 0;
    bool running_ = false;
};

}  // namespace orvala::app
