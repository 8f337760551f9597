#include <string>

namespace shapes {

class Shape {
public:
    virtual ~Shape() = default;
    virtual double Area() const = 0;
};

class Circle : public Shape {
public:
    explicit Circle(double radius) : radius_(radius) {}
    double Area() const override;

private:
    double radius_;
};

double Circle::Area() const
{
    return 3.14159 * radius_ * radius_;
}

}  // namespace shapes

int Twice(int value)
{
    return 2 * value;
}
