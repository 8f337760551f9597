import os


class Walker:
    def __init__(self, root):
        self.root = root

    def names(self):
        return os.listdir(self.root)


def main():
    print(Walker(".").names())


LIMIT = 3
