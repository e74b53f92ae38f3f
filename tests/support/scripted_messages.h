#pragma once

#include "platform/messages.h"

#include <QString>
#include <QVector>
#include <deque>

// A message service for tests: answers from a script, in order, and records every box.
// Installed for the object's life; the service it replaced comes back afterwards. A box
// with no scripted answer left gets the box's default button and counts as unexpected,
// so a test can fail on boxes it did not plan for.
class ScriptedMessages : public MessageService {
public:
    struct Shown {
        QString text;
        QString caption;
        unsigned flags = 0;
    };

    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Queues the answer (IdYes, IdNo, IdOk, IdCancel) to the next box.
    ScriptedMessages& Answer(int buttonId);
    ScriptedMessages& AnswerYes() { return Answer(IdYes); }
    ScriptedMessages& AnswerNo() { return Answer(IdNo); }

    const QVector<Shown>& Boxes() const { return shown_; }
    QStringList Texts() const;
    int Unanswered() const { return unanswered_; }
    int Pending() const { return static_cast<int>(answers_.size()); }
    void Clear();

    int Show(const QString& text, const QString& caption, unsigned flags) override;

private:
    std::deque<int> answers_;
    QVector<Shown> shown_;
    int unanswered_ = 0;
    MessageService* previous_;
};
