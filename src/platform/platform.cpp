// SPDX-License-Identifier: MIT
#include "platform/platform.h"

#include <cassert>

namespace {
std::unique_ptr<Platform> s_platform;
}

Platform &Platform::instance()
{
    assert(s_platform && "Platform::install() has not been called");
    return *s_platform;
}

std::unique_ptr<Platform> Platform::install(std::unique_ptr<Platform> platform)
{
    std::swap(s_platform, platform);
    return platform;
}
