/* Force-included into every source of the tag generator when the setup builds it for Windows, to
 * spare it system calls that some systems make slow enough to dominate a large file:
 * - The generator asks for the stream position at every line start, which the C run-time answers
 *   with a system call each time. Source files opened for reading get a buffer that holds the
 *   whole file, so a position is the offset of the buffer's start plus how far the buffer has
 *   been read.
 * - Its standard output, unbuffered on a pipe, is given a buffer at start-up; the generator
 *   flushes it after each file when it serves a stream of files. */
#ifndef KELPO_STDIO_H
#define KELPO_STDIO_H

#include <stdio.h>

FILE *kelpo_fopen(const char *name, const char *mode);
int kelpo_fclose(FILE *fp);
int kelpo_fgetpos(FILE *fp, fpos_t *pos);
int kelpo_fsetpos(FILE *fp, const fpos_t *pos);
int kelpo_fseek(FILE *fp, long offset, int origin);
void kelpo_rewind(FILE *fp);

#define fopen kelpo_fopen
#define fclose kelpo_fclose
#define fgetpos kelpo_fgetpos
#define fsetpos kelpo_fsetpos
#define fseek kelpo_fseek
#define rewind kelpo_rewind

#endif
