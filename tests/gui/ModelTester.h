#pragma once

#include <QAbstractItemModelTester>
#include <QString>
#include <QStringList>

namespace keepgate::testing {

// Runs QAbstractItemModelTester on a model and collects what it complains about, so a broken model fails
// the gtest case that made it rather than aborting the whole run.
class ModelTester {
  public:
    explicit ModelTester(QAbstractItemModel* model);
    ~ModelTester();
    ModelTester(const ModelTester&) = delete;
    ModelTester& operator=(const ModelTester&) = delete;
    // The tester's failure messages so far.
    static QStringList failures();

  private:
    QAbstractItemModelTester tester_;
};

} // namespace keepgate::testing
