#include <stdio.h>

#define LIMIT 10

struct point {
    int x;
    int y;
};

typedef struct point point_t;

static int counter;

int add(int a, int b)
{
    return a + b;
}

int main(void)
{
    printf("%d\n", add(1, LIMIT));
    return 0;
}
