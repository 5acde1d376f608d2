// Answers the modal windows a command brings up, one step per window and in
// order, the way a user would: the window is activated (a window manager
// does that; the offscreen platform does not) and the step acts on it,
// usually with keys to QApplication::focusWidget(). A window that does not
// close is closed by force after two seconds, so that a fault fails the test
// instead of hanging it.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

struct CModalAnswerer
{
    using Step = std::function<void(QWidget* modal)>;

    explicit CModalAnswerer(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        QTimer::singleShot(20, &m_context, [this] { poll(); });
    }
    // One message box, answered with a key on its focused button.
    explicit CModalAnswerer(Qt::Key key) : CModalAnswerer(std::vector<Step> { Press(key) }) {}

    static Step Press(Qt::Key key)
    {
        return [key](QWidget*) { QTest::keyClick(QApplication::focusWidget(), key); };
    }

    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != m_pAnswered && m_nDone < m_steps.size()) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                texts << box->text();
            m_pAnswered = modal;
            m_nTicks = 0;
            QApplication::setActiveWindow(modal);
            m_steps[m_nDone++](modal);
        } else if (modal && modal == m_pAnswered && modal->isVisible() && ++m_nTicks >= 200) {
            stuck = true;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(0);
        } else if (!modal) {
            ++m_nIdle;
        }
        if (m_nIdle <= 400 && !stuck)
            QTimer::singleShot(10, &m_context, [this] { poll(); });
    }
    // The first message box's text.
    QString text() const { return texts.isEmpty() ? QString() : texts.front(); }
    // Every step was taken.
    bool done() const { return m_nDone == m_steps.size(); }

    QStringList texts;
    bool stuck = false;

private:
    std::vector<Step> m_steps;
    size_t m_nDone = 0;
    QPointer<QWidget> m_pAnswered;
    int m_nTicks = 0;
    int m_nIdle = 0;
    QObject m_context; // its end stops the polling with the answerer
};
