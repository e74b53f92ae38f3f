#include "scripted_messages.h"

#include <QStringList>

ScriptedMessages::ScriptedMessages() : previous_(SetMessageService(this)) {}

ScriptedMessages::~ScriptedMessages()
{
    SetMessageService(previous_);
}

ScriptedMessages& ScriptedMessages::Answer(int buttonId)
{
    answers_.push_back(buttonId);
    return *this;
}

QStringList ScriptedMessages::Texts() const
{
    QStringList texts;
    for (const Shown& s : shown_)
        texts.append(s.text);
    return texts;
}

void ScriptedMessages::Clear()
{
    answers_.clear();
    shown_.clear();
    unanswered_ = 0;
}

int ScriptedMessages::Show(const QString& text, const QString& caption, unsigned flags)
{
    shown_.append({text, caption, flags});
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    ++unanswered_;
    return DefaultAnswer(flags);
}
