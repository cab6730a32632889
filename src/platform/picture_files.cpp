// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture_files.hpp"

#include <algorithm>
#include <cctype>

#include "platform/file_access.hpp"

namespace tiefschacht {

namespace {
bool endsWithBmp(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".bmp";
}
}  // namespace

bool readPictureFile(ImageDecoder& decoder, const std::string& path, DecodedImage& out,
                     std::string& error) {
    return decoder.decodeFile(path.c_str(), noPixelLimit, out, error) == PictureStatus::Ok;
}

bool encodePictureFile(ImageDecoder& encoder, const std::string& path, const DecodedImage& image,
                       std::string& bytes, std::string& error) {
    const PictureFileType type = endsWithBmp(path) ? PictureFileType::Bmp : PictureFileType::Png;
    return encoder.encode(image, type, bytes, error);
}

bool writePictureFile(ImageDecoder& encoder, const std::string& path, const DecodedImage& image,
                      std::string& error) {
    std::string bytes;
    return encodePictureFile(encoder, path, image, bytes, error) &&
           writeWholeFile(path, bytes, error);
}

}  // namespace tiefschacht
