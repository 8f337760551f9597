/* Stream positions without a system call for whole-file buffered source files, and a buffered
 * standard output (see the header). Only streams opened "rb" are followed, and only while they are
 * read, ungot and repositioned by fsetpos; any other repositioning hands the stream back to the
 * run-time's own answers. */
#include "kelpo_stdio.h"

#include <io.h>
#include <string.h>

#undef fopen
#undef fclose
#undef fgetpos
#undef fsetpos
#undef fseek
#undef rewind

/* Larger files keep the run-time's small buffer and its positions. */
#define KELPO_LARGEST_BUFFERED (256L * 1024 * 1024)
#define KELPO_FOLLOWED 8

typedef struct {
    FILE *fp;
    long long bufferStart; /* file offset of the buffer's first byte */
} Followed;

static Followed followed[KELPO_FOLLOWED];

static Followed *FindFollowed(FILE *fp) {
    int n;
    for (n = 0; n < KELPO_FOLLOWED; ++n) {
        if (fp != NULL && followed[n].fp == fp) return &followed[n];
    }
    return NULL;
}

static void Forget(FILE *fp) {
    Followed *entry = FindFollowed(fp);
    if (entry != NULL) entry->fp = NULL;
}

FILE *kelpo_fopen(const char *name, const char *mode) {
    FILE *fp = fopen(name, mode);
#ifndef _UCRT
    if (fp != NULL && strcmp(mode, "rb") == 0) {
        const long long size = _filelengthi64(_fileno(fp));
        Followed *slot = NULL;
        int n;
        for (n = 0; n < KELPO_FOLLOWED && slot == NULL; ++n) {
            if (followed[n].fp == NULL) slot = &followed[n];
        }
        if (slot != NULL && size >= 0 && size < KELPO_LARGEST_BUFFERED &&
            setvbuf(fp, NULL, _IOFBF, (size_t)(size < 4096 ? 4096 : size + 1)) == 0 && fp->_base != NULL) {
            slot->fp = fp;
            slot->bufferStart = 0;
        }
    }
#endif
    return fp;
}

int kelpo_fclose(FILE *fp) {
    Forget(fp);
    return fclose(fp);
}

int kelpo_fgetpos(FILE *fp, fpos_t *pos) {
#ifndef _UCRT
    const Followed *entry = FindFollowed(fp);
    if (entry != NULL && fp->_base != NULL && fp->_ptr >= fp->_base) {
        *pos = (fpos_t)(entry->bufferStart + (fp->_ptr - fp->_base));
        return 0;
    }
#endif
    return fgetpos(fp, pos);
}

/* After a reposition the run-time empties the buffer; its next fill starts at the new position. */
int kelpo_fsetpos(FILE *fp, const fpos_t *pos) {
    const int result = fsetpos(fp, pos);
    Followed *entry = FindFollowed(fp);
    if (entry != NULL) {
        if (result == 0) {
            entry->bufferStart = (long long)*pos;
        } else {
            entry->fp = NULL;
        }
    }
    return result;
}

int kelpo_fseek(FILE *fp, long offset, int origin) {
    Forget(fp);
    return fseek(fp, offset, origin);
}

void kelpo_rewind(FILE *fp) {
    Forget(fp);
    rewind(fp);
}

/* Before the generator's main: a buffered standard output. */
__attribute__((constructor)) static void BufferStandardOutput(void) {
    setvbuf(stdout, NULL, _IOFBF, 65536);
}
