#include "ModelTester.h"

namespace keepgate::testing {

namespace {
QStringList& collected() {
    static QStringList messages;
    return messages;
}
QtMessageHandler& previous() {
    static QtMessageHandler handler = nullptr;
    return handler;
}
void collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("FAIL!"))) {
        collected().append(message);
    }
    if (previous()) {
        previous()(type, context, message);
    }
}
} // namespace

ModelTester::ModelTester(QAbstractItemModel* model)
    : tester_((collected().clear(), previous() = qInstallMessageHandler(collect), model),
              QAbstractItemModelTester::FailureReportingMode::Warning) {}

ModelTester::~ModelTester() {
    qInstallMessageHandler(previous());
}

QStringList ModelTester::failures() {
    return collected();
}

} // namespace keepgate::testing
