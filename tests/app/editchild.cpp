// A session in a process of its own, answering Yes and printing each message ("message <text>"):
//   editchild hang SECONDS      catches the signals that end a session with that deadline, says
//                               "ready", and never ends by itself
//   editchild script DIR SEED   EditScript(SEED) over DIR's recipes, a step every 20 ms, "step N <ms> <digest>"
//                               after each and "saving N" before step N saves, until it is killed
//   editchild close DIR [BYTES] types into the recipe on screen and closes, as nobody when root;
//                               with BYTES, a disk that fills then, under a long text
#include "EditScript.h"
#include "app/TerminationSignals.h"
#include "dialogs/MessageBox.h"
#include "store/RecipeBox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc == 3 && argv[1] == QByteArray("hang")) {
        TerminationSignals::install(unsigned(std::atoi(argv[2])));
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;)
            pause();
    }
    QCoreApplication app(argc, argv);
    const QByteArray mode = argc > 2 ? argv[1] : "";
    if (mode == "close" && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    MessageBox::setAnswerer([](const MessageBox::Request &request) {
        std::printf("message %s\n", qPrintable(request.text));
        return request.buttons & MessageBox::Yes ? MessageBox::Yes : MessageBox::Ok;
    });
    RecipeBox recipes(QString::fromLocal8Bit(argv[2]));
    FakeMainView view;
    MainLogic logic(recipes, view);
    logic.loadRecipes();
    if (mode == "close") {
        view.texts[Recipe::Name] += u'!';
        if (argc > 3 && *argv[3]) { // the file holds each quote in three bytes, the journal in one
            view.texts[Recipe::Directions] = QChar(0x6F22) + QString(30000, u'"');
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(std::atoll(argv[3])), rlim_t(std::atoll(argv[3]))};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        logic.boxEdited();
        std::printf("closed %d\n", int(logic.prepareToClose()));
        return 0;
    }
    if (mode != "script" || argc < 4)
        return 2;
    EditScript script(QByteArray(argv[3]).toUInt());
    int steps = 0;
    const auto step = [&] {
        std::printf("step %d %lld %u\n", steps, QDateTime::currentMSecsSinceEpoch(),
                    EditScript::digest(recipes.list(), &view));
        std::fflush(stdout);
    };
    step();
    QTimer working;
    working.callOnTimeout([&] {
        const EditScript::Step next = script.next(view);
        if (next == EditScript::Saved) {
            std::printf("saving %d\n", steps + 1);
            std::fflush(stdout); // seen even when killed during the save
        }
        script.perform(next, logic, view);
        ++steps;
        step();
    });
    working.start(20);
    return app.exec();
}
