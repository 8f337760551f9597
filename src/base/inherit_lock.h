// Starting a program that inherits handles. Every such start makes its handles inheritable and
// creates the process under this one lock, so a program started meanwhile on another thread never
// picks up (and keeps open) a pipe meant for another: a kept pipe end would make its reader wait
// for an end that never comes.
#pragma once

#include <mutex>

namespace kelpo {

std::mutex& InheritLock();

}  // namespace kelpo
