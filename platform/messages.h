#pragma once
// The one seam through which every message box and modal dialog of the program
// passes. In normal use it shows a real QMessageBox or runs the dialog; a test
// installs a responder that records the request and answers without blocking.

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QMessageBox;
class QWidget;

namespace titrage {

enum class MessageIcon { Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

class Messages {
public:
    using Responder = std::function<MessageAnswer(const MessageRequest&)>;
    using DialogRunner = std::function<int(QDialog&)>;

    // Shows the message (or hands it to the responder) and returns the answer.
    static MessageAnswer ask(QWidget* parent, const MessageRequest& request);
    static void inform(QWidget* parent, const QString& title, const QString& text,
                       MessageIcon icon = MessageIcon::Information);

    // The box ask() shows for `request`, scaled with the bench of `parent`
    // (tests look at it without showing it).
    static std::unique_ptr<QMessageBox> messageBox(QWidget* parent, const MessageRequest& request);

    // Runs a modal dialog (or hands it to the test's runner); returns its result code.
    static int execDialog(QDialog& dialog);

    // Test hooks: nullptr restores the real boxes.
    static void setResponder(Responder responder);
    static void setDialogRunner(DialogRunner runner);
};

// A responder for tests: answers with `answer` and keeps every request asked.
class MessageRecorder {
public:
    explicit MessageRecorder(MessageAnswer answer = MessageAnswer::Ok);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void setAnswer(MessageAnswer answer) { m_answer = answer; }
    const std::vector<MessageRequest>& requests() const { return m_requests; }
    // The texts asked, in order.
    QStringList texts() const
    {
        QStringList out;
        for (const MessageRequest& r : m_requests)
            out << r.text;
        return out;
    }
    void clear() { m_requests.clear(); }

private:
    MessageAnswer m_answer;
    std::vector<MessageRequest> m_requests;
};

} // namespace titrage
