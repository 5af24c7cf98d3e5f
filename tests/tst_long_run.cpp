#include <QTest>
class tst_x : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(tst_x)
#include "tst_long_run.moc"
