#include "platform/messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <utility>

namespace {

MessageService*& installedService()
{
    static MessageService* service = nullptr;
    return service;
}

// Without the window library's message boxes, a message goes to standard error under the
// program's file name (a command-line tool may share the window's application name) and
// gets its default answer.
class ErrorStreamMessages : public MessageService {
public:
    int Show(const QString& text, const QString&, unsigned flags) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
                     qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "))));
        return DefaultAnswer(flags);
    }
};

MessageService*& defaultService()
{
    static ErrorStreamMessages errorStream;
    static MessageService* service = &errorStream;
    return service;
}

MessageService& service()
{
    MessageService* installed = installedService();
    return installed ? *installed : *defaultService();
}

} // namespace

QVector<int> MessageButtons(unsigned flags)
{
    switch (flags & 0xF) {
    case MbOkCancel:
        return {IdOk, IdCancel};
    case MbYesNoCancel:
        return {IdYes, IdNo, IdCancel};
    case MbYesNo:
        return {IdYes, IdNo};
    default:
        return {IdOk};
    }
}

int DefaultAnswer(unsigned flags)
{
    const QVector<int> ids = MessageButtons(flags);
    const qsizetype index = (flags & 0xF00) >> 8;
    return ids[index < ids.size() ? index : 0];
}

void SetDefaultMessageService(MessageService* service)
{
    defaultService() = service;
}

MessageService* SetMessageService(MessageService* service)
{
    return std::exchange(installedService(), service);
}

int ShowMessageBox(const QString& text, const QString& caption, unsigned flags)
{
    return service().Show(text, caption, flags);
}

void ShowInformation(const QString& text)
{
    ShowMessageBox(text, QStringLiteral("Information"), MbOk | MbIconInformation);
}

bool AskYesNo(const QString& text, const QString& caption)
{
    return ShowMessageBox(text, caption, MbYesNo | MbIconQuestion) == IdYes;
}

bool AskYesNoDefaultNo(const QString& text, const QString& caption)
{
    return ShowMessageBox(text, caption, MbYesNo | MbIconQuestion | MbDefButton2) == IdYes;
}
