#pragma once

#include <QString>
#include <QtGlobal>

// The offscreen platform cannot raise windows and says so at every showing,
// in between what a test or benchmark prints. This handler drops that one
// warning and passes everything else on.
class QuietRaise {
public:
    QuietRaise() { previous() = qInstallMessageHandler(handle); }
    ~QuietRaise() { qInstallMessageHandler(previous()); }
    QuietRaise(const QuietRaise&) = delete;
    QuietRaise& operator=(const QuietRaise&) = delete;

private:
    static QtMessageHandler& previous() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg && text.contains(QLatin1String("does not support raise()")))
            return;
        if (previous())
            previous()(type, context, text);
    }
};
