// A strategy library that uses Python, run as the host runs it: the test
// strategy registers a file in onInit and calls it through its context.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "adapterfixture.h"

namespace {

using fake::AdapterTest;

TEST_F(AdapterTest, AStrategyRegistersAPythonFileInOnInitAndCallsIt) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::string file = folder.path().toStdString() + "/hello.py";
    QFile script(QString::fromStdString(file));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("def on_init(text): return 'python saw ' + text\n");
    script.close();
    QJsonObject params{{"python_file", QString::fromStdString(file)}};

    strategy = fake::libraryPath("teststrategy_python");
    runTestStrategy(QJsonDocument(params).toJson(QJsonDocument::Compact).constData());
    const fake::StrategyEvent* init = recorder().last(1);
    ASSERT_NE(init, nullptr);
    ASSERT_EQ(init->numbers.size(), 1u);
    EXPECT_NE(init->numbers[0], 0) << "the module handle";
    EXPECT_EQ(init->texts, std::vector<std::string>{"python saw from onInit"});
    EXPECT_EQ(adapter->StopStrategy(), 0);
}

}  // namespace
