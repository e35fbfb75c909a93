#include "platform/messages.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>

namespace titrage {

namespace {
Messages::Responder& responder()
{
    static Messages::Responder r;
    return r;
}
Messages::DialogRunner& dialogRunner()
{
    static Messages::DialogRunner r;
    return r;
}
} // namespace

MessageAnswer Messages::ask(QWidget* parent, const MessageRequest& request)
{
    if (responder()) return responder()(request);

    QMessageBox box(parent);
    box.setWindowTitle(request.title);
    box.setText(request.text);
    switch (request.icon) {
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)
            ->setText(QCoreApplication::translate("Messages", "Annuler"));
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("Messages", "&Oui"));
        box.button(QMessageBox::No)->setText(QCoreApplication::translate("Messages", "&Non"));
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

void Messages::inform(QWidget* parent, const QString& title, const QString& text, MessageIcon icon)
{
    ask(parent, {title, text, icon, MessageButtons::Ok});
}

int Messages::execDialog(QDialog& dialog)
{
    if (dialogRunner()) return dialogRunner()(dialog);
    return dialog.exec();
}

void Messages::setResponder(Responder r)
{
    responder() = std::move(r);
}

void Messages::setDialogRunner(DialogRunner r)
{
    dialogRunner() = std::move(r);
}

MessageRecorder::MessageRecorder(MessageAnswer answer) : m_answer(answer)
{
    Messages::setResponder([this](const MessageRequest& r) {
        m_requests.push_back(r);
        return m_answer;
    });
}

MessageRecorder::~MessageRecorder()
{
    Messages::setResponder(nullptr);
}

} // namespace titrage
