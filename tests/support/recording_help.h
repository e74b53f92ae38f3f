#pragma once

#include "platform/help.h"

#include <QStringList>

// A help service for tests: records each request ("topic 1038", "contents", "howto",
// "search") instead of opening the help window. Installed for the object's life.
class RecordingHelp : public HelpService {
public:
    RecordingHelp() : previous_(SetHelpService(this)) {}
    ~RecordingHelp() override { SetHelpService(previous_); }
    RecordingHelp(const RecordingHelp&) = delete;
    RecordingHelp& operator=(const RecordingHelp&) = delete;

    void ShowTopic(int context) override { requests.append(QStringLiteral("topic %1").arg(context)); }
    void ShowContents() override { requests.append(QStringLiteral("contents")); }
    void ShowHowToUseHelp() override { requests.append(QStringLiteral("howto")); }
    void ShowSearch() override { requests.append(QStringLiteral("search")); }

    QStringList requests;

private:
    HelpService* previous_;
};
