// A program linked with a RUNPATH of $ORIGIN/private, for the runtime file search's tests.
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return 0;
}
