// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/jpeg_header.hpp"

// jpeglib.h needs the declarations of <cstdio> before it.
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <cstddef>

namespace tiefschacht {

namespace {

// libjpeg ends a failed step with a long jump out of its error handler; the
// state the steps share lives here, never in locals with destructors.
struct HeaderJob {
    jpeg_error_mgr errors{};
    std::jmp_buf escape{};
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void onError(j_common_ptr info) {
    auto* job = reinterpret_cast<HeaderJob*>(info->err);
    (*info->err->format_message)(info, job->message);
    std::longjmp(job->escape, 1);
}

// Warnings (the stray bytes before a marker among them) are not printed: a
// picture that cannot be used is named by the game's own message.
void onMessage(j_common_ptr, int) {}

// False when libjpeg gave up (the job's message says why).
bool readHeader(jpeg_decompress_struct& info, HeaderJob& job, const uint8_t* data, size_t size) {
    if (setjmp(job.escape) != 0) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    return jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
}

}  // namespace

bool readJpegSize(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height,
                  std::string& error) {
    HeaderJob job;
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&job.errors);
    job.errors.error_exit = onError;
    job.errors.emit_message = onMessage;
    // The error manager is the job's first member, so the handler finds the job.
    static_assert(offsetof(HeaderJob, errors) == 0);
    const bool read = readHeader(info, job, data, size);
    if (read) {
        width = info.image_width;
        height = info.image_height;
    } else {
        error = job.message[0] != '\0' ? job.message : "no JPEG header";
    }
    jpeg_destroy_decompress(&info);
    return read;
}

}  // namespace tiefschacht
