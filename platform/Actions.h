// Actions whose update handlers run when the application is idle: just before the UI
// thread's event loop waits for the next event, never from a busy timer.
#pragma once

#include <QAction>

#include <functional>

class TAction : public QAction {
    Q_OBJECT
public:
    explicit TAction(const QString &name, QObject *parent);

    void setOnExecute(std::function<void()> handler);
    void setOnUpdate(std::function<void()> handler);

    // Runs the update handler now (also what the idle hook does).
    void Update();

    // Runs the update handler of every live action once; the idle hook calls it.
    static void UpdateAll();

private:
    std::function<void()> m_onUpdate;
};
