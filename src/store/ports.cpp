#include "store/ports.h"

#include <chrono>
#include <ctime>
#include <random>

#include "store/datum.h"

namespace talerwerk {

int32_t SystemUhr::Heute() const {
    const std::time_t jetzt = std::time(nullptr);
    std::tm lokal{};
    localtime_r(&jetzt, &lokal);
    return TagesNummer(lokal.tm_mday, lokal.tm_mon + 1, lokal.tm_year + 1900).value_or(0);
}

SystemZufall::SystemZufall() {
    std::random_device quelle;
    zustand_ = (uint64_t{quelle()} << 32) ^ quelle() ^
               static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    if (zustand_ == 0) zustand_ = 1;
}

int32_t SystemZufall::Zahl(int32_t grenze) {
    if (grenze <= 1) return 0;
    // xorshift64*: small, fast and good enough for numbering records.
    zustand_ ^= zustand_ >> 12;
    zustand_ ^= zustand_ << 25;
    zustand_ ^= zustand_ >> 27;
    const uint64_t wert = zustand_ * 0x2545F4914F6CDD1DULL;
    return static_cast<int32_t>((wert >> 32) % static_cast<uint64_t>(grenze));
}

}  // namespace talerwerk
