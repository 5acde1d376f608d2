#include "binpane/widgets/CFindController.h"

#include "app/Settings.h"
#include "binpane/CBinaryFinder.h"
#include "binpane/CBinaryPaneModel.h"
#include "binpane/widgets/CFindDialog.h"
#include "binpane/widgets/CJumpDialog.h"
#include "binpane/widgets/CReplaceDialog.h"
#include "binpane/FindHistory.h"
#include "binpane/ReplaceAll.h"
#include "platform/Cp932.h"
#include "platform/widgets/WaitCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::Wheel:
    case QEvent::Shortcut: case QEvent::ShortcutOverride: case QEvent::ContextMenu:
    case QEvent::TouchBegin: case QEvent::TouchUpdate: case QEvent::TouchEnd:
    case QEvent::Drop: case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

CFindController::CFindController(ModelSource activeModel, PaneSource activePane, QComboBox* findBox,
                                 QObject* parent)
    : QObject(parent)
    , m_activeModel(std::move(activeModel))
    , m_activePane(std::move(activePane))
    , m_pFindBox(findBox)
{
    refillFindBox();
}

CFindController::~CFindController()
{
    if (m_pFindDialog)
        delete m_pFindDialog.data();
}

void CFindController::refillFindBox()
{
    if (!m_pFindBox)
        return;
    const QString text = m_pFindBox->currentText();
    m_pFindBox->clear();
    for (const std::string& entry : g_findHistory.entries())
        m_pFindBox->addItem(QString::fromStdString(cp932::ToUtf8(entry)));
    m_pFindBox->setEditText(text);
}

void CFindController::find()
{
    openDialog(false);
}

void CFindController::replace()
{
    openDialog(true);
}

void CFindController::openDialog(bool replace)
{
    if (m_bReplacing || !m_activeModel())
        return;
    if (m_pFindDialog) {
        if (m_pFindDialog->isReplace() == replace) {
            m_pFindDialog->raise();
            m_pFindDialog->activateWindow();
            return;
        }
        delete m_pFindDialog.data();
    }
    CFindDialog* dialog = replace ? new CReplaceDialog(m_activePane()) : new CFindDialog(m_activePane());
    dialog->setFlags(g_bFindDown != 0, g_bFindMatchCase != 0, g_settings.EnRexp != 0);
    dialog->fillHistories();
    dialog->setSourceProvider([this] {
        CBinaryPaneModel* model = m_activeModel();
        return model ? CBinaryFinder(*model).source() : PatternSource::CharPart;
    });
    connect(dialog, &CFindDialog::findNextClicked, this, &CFindController::dialogFindNext);
    connect(dialog, &CFindDialog::replaceClicked, this, &CFindController::dialogReplace);
    connect(dialog, &CFindDialog::replaceAllClicked, this, &CFindController::dialogReplaceAll);
    m_pFindDialog = dialog;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void CFindController::afterDialogCommand()
{
    refillFindBox();
    if (m_pFindDialog)
        m_pFindDialog->refillHistories();
}

void CFindController::dialogFindNext()
{
    CBinaryPaneModel* model = m_activeModel();
    if (m_bReplacing || !model || !m_pFindDialog)
        return;
    CWaitCursor wait;
    (void)CBinaryFinder(*model).findNext(m_pFindDialog->request());
    afterDialogCommand();
}

void CFindController::dialogReplace()
{
    CBinaryPaneModel* model = m_activeModel();
    if (m_bReplacing || !model || !m_pFindDialog)
        return;
    CWaitCursor wait;
    (void)CBinaryFinder(*model).replaceOnce(m_pFindDialog->request());
    afterDialogCommand();
}

void CFindController::dialogReplaceAll()
{
    CBinaryPaneModel* model = m_activeModel();
    if (m_bReplacing || !model || !m_pFindDialog)
        return;
    const FindDialogRequest request = m_pFindDialog->request();
    uint32_t count = 0;
    {
        CWaitCursor wait;
        m_bReplacing = true;
        m_bClicked = false;
        qApp->installEventFilter(this);
        count = CBinaryFinder(*model).replaceAll(request, [this] { return replaceAbortCheck(); });
        qApp->removeEventFilter(this);
        m_bReplacing = false;
    }
    afterDialogCommand();
    if (count > 0 && m_pFindDialog)
        m_pFindDialog->close();
}

bool CFindController::isOnDialog(QObject* watched) const
{
    if (!m_pFindDialog || !watched)
        return false;
    if (auto* widget = qobject_cast<QWidget*>(watched))
        return widget == m_pFindDialog || m_pFindDialog->isAncestorOf(widget);
    return watched == m_pFindDialog->windowHandle();
}

bool CFindController::eventFilter(QObject* watched, QEvent* event)
{
    // A box shown meanwhile (the stop question, the count, the undo question)
    // is modal and takes its own input; the rest is held off while the
    // document changes under it, and a press on the dialog is remembered for
    // the stop question.
    if (!m_bReplacing || QApplication::activeModalWidget() || !isUserInput(event->type()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && isOnDialog(watched))
        m_bClicked = true;
    return true;
}

bool CFindController::replaceAbortCheck()
{
    if (!m_bReplacing)
        return false;
    QCoreApplication::processEvents();
    if (!m_bClicked)
        return false;
    m_bClicked = false;
    return askStopReplaceAll();
}

void CFindController::jump()
{
    if (m_bReplacing || !m_activeModel())
        return;
    CJumpDialog dialog(m_activePane(), [this](const std::string& text) {
        CBinaryPaneModel* model = m_activeModel();
        return model && CBinaryFinder(*model).jump(text);
    });
    dialog.exec();
}

void CFindController::findFromBox(bool down)
{
    CBinaryPaneModel* model = m_activeModel();
    if (m_bReplacing || !model || !m_pFindBox)
        return;
    const std::string text = cp932::FromUtf8(m_pFindBox->currentText().toStdString());
    FindResult result;
    {
        CWaitCursor wait;
        result = CBinaryFinder(*model).findFromBox(text, down);
    }
    if (result == FindResult::BadHexText) {
        m_pFindBox->setFocus();
        m_pFindBox->lineEdit()->selectAll();
        return;
    }
    if (result != FindResult::Refused)
        refillFindBox();
}

void CFindController::findNext()
{
    findFromBox(true);
}

void CFindController::findNextFromBox()
{
    if (QWidget* pane = m_activePane())
        pane->setFocus();
    findFromBox(true);
}

void CFindController::findPrevious()
{
    findFromBox(false);
}

void CFindController::focusFindBox()
{
    if (!m_pFindBox)
        return;
    m_pFindBox->setFocus();
    if (m_pFindBox->lineEdit())
        m_pFindBox->lineEdit()->selectAll();
}
