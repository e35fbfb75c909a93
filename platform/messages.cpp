#include "platform/messages.h"

#include "platform/benchscale.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <cmath>

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
QLabel* iconLabel(QMessageBox& box)
{
    return box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
}

// The icon `scale` times its design picture (`design`, in pixels of the
// screen): drawn again, and enlarged where the desktop has no larger picture.
void growIcon(QMessageBox& box, QSizeF design, double scale)
{
    box.setIcon(box.icon());
    QLabel* label = iconLabel(box);
    if (!label || label->pixmap().isNull() || design.isEmpty()) return;
    const QPixmap drawn = label->pixmap();
    const QSizeF wanted = design * scale;
    if (drawn.deviceIndependentSize().width() >= wanted.width() - 0.5) return;
    const qreal ratio = drawn.devicePixelRatio();
    QPixmap grown =
        drawn.scaled((wanted * ratio).toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    grown.setDevicePixelRatio(ratio);
    label->setPixmap(grown);
}

// Qt wraps a long text at a width of its own, in pixels (half the screen, at
// most 500): the box shown larger wraps it as much further, so that its lines
// hold the same words as at the design size, but never past the width Qt
// fixes the box at (the screen less 480 pixels, at most 1000; a small
// screen's whole width), where the lines would be cut instead.
void keepWrapWidthScaled(QMessageBox& box, double scale)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    const QScreen* screen = box.screen();
    if (scale <= 1.0 || !label || !box.layout() || !screen) return;
    const int screenWidth = screen->availableGeometry().width();
    const int wrapWidth = std::min(screenWidth / 2, 500);
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    const int unwrapped = label->minimumSizeHint().width();
    const int around = box.layout()->totalMinimumSize().width() - unwrapped;
    const int wanted =
        std::min(static_cast<int>(std::lround(wrapWidth * scale)), boxLimit) - around;
    label->setMinimumWidth(std::clamp(wanted, 0, unwrapped));
}

} // namespace

std::unique_ptr<QMessageBox> Messages::messageBox(QWidget* parent, const MessageRequest& request)
{
    auto made = std::make_unique<QMessageBox>(parent);
    QMessageBox& box = *made;
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
    // Its text, icon and buttons as large as the bench's.
    const QLabel* icon = iconLabel(box);
    const QSizeF designIcon =
        icon && !icon->pixmap().isNull() ? icon->pixmap().deviceIndependentSize() : QSizeF();
    scaleWithBench(&box);
    const double scale = benchScale(&box);
    if (scale > 1.0) {
        growIcon(box, designIcon, scale);
        keepWrapWidthScaled(box, scale);
    }
    return made;
}

MessageAnswer Messages::ask(QWidget* parent, const MessageRequest& request)
{
    if (responder()) return responder()(request);

    const std::unique_ptr<QMessageBox> box = messageBox(parent, request);
    switch (box->exec()) {
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
