package demo;

public class Sample {
    private int count;

    public Sample(int start) {
        count = start;
    }

    public int next() {
        return ++count;
    }

    interface Listener {
        void changed(int value);
    }
}
