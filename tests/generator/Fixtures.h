#pragma once

#include "generator/RouterOs.h"
#include "model/GbkCodec.h"
#include "model/QvWan.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

struct TWanInput {
    std::string Name; // UTF-8, converted to the GBK the windows would hand over
    std::string Ip;
    std::int32_t DownMbps;
    std::int32_t UpMbps;
};

// Names the router in test names and failure messages, not as raw bytes.
inline const char* RouterName(TRouterOs target) {
    return target == TRouterOs::V5 ? "V5" : "V6V7";
}
inline void PrintTo(TRouterOs target, std::ostream* out) {
    *out << RouterName(target);
}

inline std::string Gbk(const std::string& utf8) {
    return FixedGbk(utf8);
}

inline TQvWanList MakeWans(const std::vector<TWanInput>& inputs) {
    TQvWanList wans;
    for (const auto& input : inputs) {
        auto wan = std::make_unique<TQvWan>();
        wan->Assign(Gbk(input.Name), Gbk(input.Ip), input.UpMbps, input.DownMbps);
        wans.push_back(std::move(wan));
    }
    return wans;
}

inline std::string ReadTestData(const std::string& name) {
    std::ifstream file(std::string(QOSTREL_TEST_DATA) + "/" + name, std::ios::binary);
    if (!file)
        throw std::runtime_error("missing test data " + name);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
