#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, every write of the process stops after `bytes` with EFBIG,
// as one on a full disk stops with ENOSPC; no privileges are needed for it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &_saved);
        rlimit limited{bytes, _saved.rlim_max};
        _limited = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
        _previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &_saved);
        std::signal(SIGXFSZ, _previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool limited() const { return _limited; }

private:
    rlimit _saved{};
    bool _limited = false;
    void (*_previousHandler)(int) = nullptr;
};
