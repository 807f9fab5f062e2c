#include "PageOptions.h"

#include "Decimal.h"

namespace ks {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isOn(const std::string& value) {
    return value.empty() || value == "1" || value == "true" || value == "yes";
}

} // namespace

std::string PageOptions::decode(const std::string& text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '+') {
            decoded += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                   hexDigit(text[i + 2]) >= 0) {
            decoded += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string PageOptions::replayFileOf(const std::string& name) {
    const size_t slash = name.find_last_of('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

int PageOptions::parse(const std::string& query, std::string& error) {
    launch = LaunchOptions();
    fast = false;
    size_t start = !query.empty() && query[0] == '?' ? 1 : 0;
    while (start < query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        const std::string pair = query.substr(start, end - start);
        start = end + 1;
        const size_t equals = pair.find('=');
        const std::string name = decode(pair.substr(0, equals));
        const std::string value =
            equals == std::string::npos ? "" : decode(pair.substr(equals + 1));
        const std::string shown = "?" + name + "=" + value;
        unsigned long long number;
        if (name == "seed") {
            if (!parseDecimal(value, 4294967295ULL, number)) {
                error = shown + ": the seed is a number from 0 to 4294967295";
                return -1;
            }
            launch.has_seed = true;
            launch.seed = static_cast<unsigned long>(number);
        } else if (name == "scale") {
            if (!parseDecimal(value, 4, number) || number < 1) {
                error = shown + ": the scale is a number from 1 to 4";
                return -1;
            }
            launch.scale = static_cast<int>(number);
        } else if (name == "replay") {
            launch.replay_file = replayFileOf(value);
            if (launch.replay_file.empty() || launch.replay_file == "." ||
                launch.replay_file == "..") {
                error = shown + ": name a recording served next to the page";
                return -1;
            }
        } else if (name == "fast") {
            fast = isOn(value);
        } else if (name == "mute") {
            launch.mute = isOn(value);
        }
    }
    if (!launch.replay_file.empty() && launch.has_seed) {
        error = "?replay= and ?seed= do not go together: a recording brings its own seed";
        return -1;
    }
    if (fast && launch.replay_file.empty()) {
        error = "?fast needs ?replay=: only a recording can be played faster";
        return -1;
    }
    return 0;
}

} // namespace ks
