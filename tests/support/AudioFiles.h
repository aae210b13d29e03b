#pragma once
// Audio files the waveform's tests and benchmark make: 16-bit PCM WAV from samples, MP3 from a WAV
// through lame (a package the build installs).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace trakvella::testing {

// The bytes of a 16-bit PCM WAV file of `samples`, `channels` interleaved.
inline std::string Wav16(const std::vector<std::int16_t>& samples, int channels, int rate = 44100) {
  std::string out;
  auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  const auto data = static_cast<std::uint32_t>(samples.size() * 2);
  out += "RIFF";
  put(36 + data, 4);
  out += "WAVEfmt ";
  put(16, 4);
  put(1, 2);  // PCM
  put(static_cast<std::uint32_t>(channels), 2);
  put(static_cast<std::uint32_t>(rate), 4);
  put(static_cast<std::uint32_t>(rate * channels * 2), 4);
  put(static_cast<std::uint32_t>(channels * 2), 2);
  put(16, 2);
  out += "data";
  put(data, 4);
  for (std::int16_t sample : samples) put(static_cast<std::uint16_t>(sample), 2);
  return out;
}

// Encodes the WAV file as a 320 kb/s MP3; false when lame failed.
inline bool EncodeMp3(const std::filesystem::path& wav, const std::filesystem::path& mp3) {
  const std::string command = "lame --quiet -b 320 '" + wav.string() + "' '" + mp3.string() + "'";
  return std::system(command.c_str()) == 0;
}

}  // namespace trakvella::testing
