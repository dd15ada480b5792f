#include "audio/sound_thread.h"

#include <pthread.h>

#include <csignal>

namespace tarnwick {

std::thread startSoundThread(std::function<void()> body) {
    sigset_t blocked;
    sigset_t old;
    sigfillset(&blocked);
    for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS}) {
        sigdelset(&blocked, fault);
    }
    pthread_sigmask(SIG_SETMASK, &blocked, &old);
    struct Restore {
        sigset_t mask;
        ~Restore() { pthread_sigmask(SIG_SETMASK, &mask, nullptr); }
    } restore{old};
    return std::thread(std::move(body));
}

}  // namespace tarnwick
